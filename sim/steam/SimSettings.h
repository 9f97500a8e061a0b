#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "channels/steam/SteamApi.h"

namespace Vyro::SteamSim {

// The handle SteamAPI_GetHSteamUser gives while the runtime is initialised.
inline constexpr Steamworks::HSteamUser kCurrentUser = 1;
inline constexpr std::size_t kDefaultTicketSize = 240;

// What the simulated runtime answers; "set" changes it, "reset" restores these defaults.
struct Settings {
    int initResult = Steamworks::InitOk;
    std::optional<std::string> initError; // none: a default text for the result
    bool loggedOn = true;
    Steamworks::SteamId steamId = 76561198000000042ull;
    const char* personaName; // interned (see InternPersonaName), may be null
    Steamworks::AppId appId = 480;
    bool overlayEnabled = true;
    int ticketResult = Steamworks::kResultOk;
    std::vector<std::uint8_t> ticket;
    bool ticketHandleZero = false;
    bool holdTickets = false;

    Settings();
};

// Ticket bytes that exercise hexadecimal encoding: byte i is (i * 37 + 11) mod 256, so the default
// 240 bytes hold a 0x00 (at 145) and bytes below 0x10 (the first one is 0x0B).
std::vector<std::uint8_t> TicketPattern(std::size_t size);

// The text SteamInternal_SteamAPI_Init reports for a failure result when none was programmed.
std::string DefaultInitError(int initResult);

// A persona name the runtime can hand out as a pointer that stays valid for the life of the
// process, as Steam's own does, whatever is programmed later.
const char* InternPersonaName(const std::string& name);

} // namespace Vyro::SteamSim
