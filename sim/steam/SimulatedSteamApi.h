#pragma once

// The Steam channel's function table pointing at the simulator linked into the same program, for
// tests and benchmarks that drive a channel in-process.
#include "SteamSim.h"

namespace Vyro::SteamSim {

inline Steamworks::SteamApi SimulatedSteamApi()
{
    return {&SteamInternal_SteamAPI_Init,
            &SteamAPI_Shutdown,
            &SteamAPI_RunCallbacks,
            &SteamAPI_RegisterCallback,
            &SteamAPI_UnregisterCallback,
            &SteamAPI_GetHSteamUser,
            &SteamInternal_FindOrCreateUserInterface,
            &SteamAPI_ISteamUser_BLoggedOn,
            &SteamAPI_ISteamUser_GetSteamID,
            &SteamAPI_ISteamUser_GetAuthTicketForWebApi,
            &SteamAPI_ISteamFriends_GetPersonaName,
            &SteamAPI_ISteamUtils_GetAppID,
            &SteamAPI_ISteamUtils_IsOverlayEnabled};
}

} // namespace Vyro::SteamSim
