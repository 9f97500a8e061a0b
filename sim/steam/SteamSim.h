#pragma once

// The exports of the simulated Steam runtime: the Steamworks functions the Steam channel calls, with
// the types the channel binds them as, and the simulator's control entry point.
#include <type_traits>

#include "SimExport.h"
#include "channels/steam/SteamApi.h"

extern "C" {

VYRO_SIM_EXPORT Vyro::Steamworks::InitResult SteamInternal_SteamAPI_Init(const char* interfaceVersions,
                                                                    Vyro::Steamworks::InitErrorText* errorText);
VYRO_SIM_EXPORT void SteamAPI_Shutdown();
VYRO_SIM_EXPORT void SteamAPI_RunCallbacks();
VYRO_SIM_EXPORT void SteamAPI_RegisterCallback(Vyro::Steamworks::CallbackBase* callback, int callbackId);
VYRO_SIM_EXPORT void SteamAPI_UnregisterCallback(Vyro::Steamworks::CallbackBase* callback);
VYRO_SIM_EXPORT Vyro::Steamworks::HSteamUser SteamAPI_GetHSteamUser();
VYRO_SIM_EXPORT void* SteamInternal_FindOrCreateUserInterface(Vyro::Steamworks::HSteamUser user, const char* version);
VYRO_SIM_EXPORT bool SteamAPI_ISteamUser_BLoggedOn(void* user);
VYRO_SIM_EXPORT Vyro::Steamworks::SteamId SteamAPI_ISteamUser_GetSteamID(void* user);
VYRO_SIM_EXPORT Vyro::Steamworks::HAuthTicket SteamAPI_ISteamUser_GetAuthTicketForWebApi(void* user, const char* identity);
VYRO_SIM_EXPORT const char* SteamAPI_ISteamFriends_GetPersonaName(void* friends);
VYRO_SIM_EXPORT Vyro::Steamworks::AppId SteamAPI_ISteamUtils_GetAppID(void* utils);
VYRO_SIM_EXPORT bool SteamAPI_ISteamUtils_IsOverlayEnabled(void* utils);

} // extern "C"

// The channel binds these by name into pointers of its own types: a drifting signature would only
// show as a crash at run time, so it is caught here.
namespace Vyro::SteamSim::Checks {
namespace S = Vyro::Steamworks;
static_assert(std::is_same_v<decltype(SteamInternal_SteamAPI_Init), S::SteamInternal_SteamAPI_Init_t>);
static_assert(std::is_same_v<decltype(SteamAPI_Shutdown), S::SteamAPI_Shutdown_t>);
static_assert(std::is_same_v<decltype(SteamAPI_RunCallbacks), S::SteamAPI_RunCallbacks_t>);
static_assert(std::is_same_v<decltype(SteamAPI_RegisterCallback), S::SteamAPI_RegisterCallback_t>);
static_assert(std::is_same_v<decltype(SteamAPI_UnregisterCallback), S::SteamAPI_UnregisterCallback_t>);
static_assert(std::is_same_v<decltype(SteamAPI_GetHSteamUser), S::SteamAPI_GetHSteamUser_t>);
static_assert(std::is_same_v<decltype(SteamInternal_FindOrCreateUserInterface),
                             S::SteamInternal_FindOrCreateUserInterface_t>);
static_assert(std::is_same_v<decltype(SteamAPI_ISteamUser_BLoggedOn), S::SteamAPI_ISteamUser_BLoggedOn_t>);
static_assert(std::is_same_v<decltype(SteamAPI_ISteamUser_GetSteamID), S::SteamAPI_ISteamUser_GetSteamID_t>);
static_assert(std::is_same_v<decltype(SteamAPI_ISteamUser_GetAuthTicketForWebApi),
                             S::SteamAPI_ISteamUser_GetAuthTicketForWebApi_t>);
static_assert(std::is_same_v<decltype(SteamAPI_ISteamFriends_GetPersonaName),
                             S::SteamAPI_ISteamFriends_GetPersonaName_t>);
static_assert(std::is_same_v<decltype(SteamAPI_ISteamUtils_GetAppID), S::SteamAPI_ISteamUtils_GetAppID_t>);
static_assert(std::is_same_v<decltype(SteamAPI_ISteamUtils_IsOverlayEnabled),
                             S::SteamAPI_ISteamUtils_IsOverlayEnabled_t>);
} // namespace Vyro::SteamSim::Checks
