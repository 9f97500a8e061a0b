#include "channels/steam/SteamApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::Steamworks {

bool BindSteamApi(const StoreLibrary& library, SteamApi& api)
{
    // Every export is tried, so that the log names all the missing ones at once.
    bool bound = true;
    bound &= library.Bind("SteamInternal_SteamAPI_Init", api.init);
    bound &= library.Bind("SteamAPI_Shutdown", api.shutdown);
    bound &= library.Bind("SteamAPI_RunCallbacks", api.runCallbacks);
    bound &= library.Bind("SteamAPI_RegisterCallback", api.registerCallback);
    bound &= library.Bind("SteamAPI_UnregisterCallback", api.unregisterCallback);
    bound &= library.Bind("SteamAPI_GetHSteamUser", api.getHSteamUser);
    bound &= library.Bind("SteamInternal_FindOrCreateUserInterface", api.findOrCreateUserInterface);
    bound &= library.Bind("SteamAPI_ISteamUser_BLoggedOn", api.userLoggedOn);
    bound &= library.Bind("SteamAPI_ISteamUser_GetSteamID", api.userGetSteamId);
    bound &= library.Bind("SteamAPI_ISteamUser_GetAuthTicketForWebApi", api.userGetAuthTicketForWebApi);
    bound &= library.Bind("SteamAPI_ISteamFriends_GetPersonaName", api.friendsGetPersonaName);
    bound &= library.Bind("SteamAPI_ISteamUtils_GetAppID", api.utilsGetAppId);
    bound &= library.Bind("SteamAPI_ISteamUtils_IsOverlayEnabled", api.utilsIsOverlayEnabled);
    return bound;
}

} // namespace Vyro::Steamworks
