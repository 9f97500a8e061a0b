#pragma once

#include <string>

#include "channels/steam/SteamApi.h"

namespace Vyro::Steamworks {

// The user, friends and utilities interfaces of an initialised Steam API, reached through Steam's
// flat functions. An interface Steam did not hand out answers with the "nothing there" value
// instead of passing Steam a null pointer.
class SteamInterfaces {
public:
    SteamInterfaces() = default;
    // Asks Steam for the three interfaces: user and friends for the current user, utilities for
    // handle 0, as the SDK's own accessors do.
    explicit SteamInterfaces(const SteamApi& api);

    bool LoggedOn() const;
    SteamId GetSteamId() const;
    // Empty when Steam gives no name.
    std::string PersonaName() const;
    AppId GetAppId() const;
    bool OverlayEnabled() const;
    // 0 when Steam gives no ticket.
    HAuthTicket AuthTicketForWebApi(const std::string& identity) const;

private:
    const SteamApi* api_ = nullptr;
    void* user_ = nullptr;
    void* friends_ = nullptr;
    void* utils_ = nullptr;
};

} // namespace Vyro::Steamworks
