#include "channels/steam/SteamInterfaces.h"

namespace Vyro::Steamworks {

SteamInterfaces::SteamInterfaces(const SteamApi& api) : api_(&api)
{
    const HSteamUser user = api.getHSteamUser();
    user_ = api.findOrCreateUserInterface(user, kUserInterfaceVersion);
    friends_ = api.findOrCreateUserInterface(user, kFriendsInterfaceVersion);
    utils_ = api.findOrCreateUserInterface(0, kUtilsInterfaceVersion);
}

bool SteamInterfaces::LoggedOn() const { return user_ != nullptr && api_->userLoggedOn(user_); }

SteamId SteamInterfaces::GetSteamId() const { return user_ != nullptr ? api_->userGetSteamId(user_) : 0; }

std::string SteamInterfaces::PersonaName() const
{
    const char* name = friends_ != nullptr ? api_->friendsGetPersonaName(friends_) : nullptr;
    return name != nullptr ? name : "";
}

AppId SteamInterfaces::GetAppId() const { return utils_ != nullptr ? api_->utilsGetAppId(utils_) : 0; }

bool SteamInterfaces::OverlayEnabled() const { return utils_ != nullptr && api_->utilsIsOverlayEnabled(utils_); }

HAuthTicket SteamInterfaces::AuthTicketForWebApi(const std::string& identity) const
{
    return user_ != nullptr ? api_->userGetAuthTicketForWebApi(user_, identity.c_str()) : 0;
}

} // namespace Vyro::Steamworks
