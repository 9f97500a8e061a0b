// The functions of the user, friends and utilities interfaces.
#include <type_traits>

#include "SimInterfaces.h"
#include "SimState.h"
#include "SteamSim.h"

using namespace Vyro::SteamSim;
namespace Steamworks = Vyro::Steamworks;

namespace {

template <typename Result>
nlohmann::json JournalValue(Result result)
{
    if constexpr (std::is_same_v<Result, const char*>) {
        return JournalText(result);
    } else {
        return result;
    }
}

// One call on an interface: answered by `answer` when `self` is that interface of an initialised
// runtime, else `fallback` (a harmless value, as a game could survive it) with the reason
// journalled. `entry` carries the call's arguments.
template <typename Result, typename Answer>
Result CallInterface(nlohmann::json entry, void* self, const SimInterface& expected, Result fallback, Answer answer)
{
    return WithState([&](SimState& state) {
        Runtime& runtime = state.runtime;
        Result result = fallback;
        if (!runtime.initialised) {
            entry["error"] = "Steam API not initialised";
        } else if (self != InterfacePointer(expected)) {
            entry["error"] = std::string("not the ") + expected.version + " interface pointer";
        } else {
            result = answer(runtime);
        }
        entry["result"] = JournalValue(result);
        runtime.journal.Add(std::move(entry));
        return result;
    });
}

nlohmann::json Call(const char* function) { return {{"fn", function}}; }

// A fresh handle, never 0 (which means failure), with its response queued or held back.
Steamworks::HAuthTicket IssueTicket(Runtime& runtime)
{
    const Settings& settings = runtime.settings;
    if (settings.ticketHandleZero) {
        return 0;
    }
    const Steamworks::HAuthTicket handle = runtime.nextTicketHandle++;
    if (runtime.nextTicketHandle == 0) {
        runtime.nextTicketHandle = 1;
    }
    auto& queue = settings.holdTickets ? runtime.held : runtime.queued;
    queue.emplace_back(MakeTicketResponse(handle, settings.ticketResult, settings.ticket));
    return handle;
}

} // namespace

extern "C" {

bool SteamAPI_ISteamUser_BLoggedOn(void* user)
{
    return CallInterface(Call("SteamAPI_ISteamUser_BLoggedOn"), user, userInterface, false,
                         [](Runtime& runtime) { return runtime.settings.loggedOn; });
}

Steamworks::SteamId SteamAPI_ISteamUser_GetSteamID(void* user)
{
    return CallInterface(Call("SteamAPI_ISteamUser_GetSteamID"), user, userInterface, Steamworks::SteamId{0},
                         [](Runtime& runtime) { return runtime.settings.steamId; });
}

Steamworks::HAuthTicket SteamAPI_ISteamUser_GetAuthTicketForWebApi(void* user, const char* identity)
{
    nlohmann::json entry = Call("SteamAPI_ISteamUser_GetAuthTicketForWebApi");
    entry["identity"] = JournalText(identity);
    return CallInterface(std::move(entry), user, userInterface, Steamworks::HAuthTicket{0}, IssueTicket);
}

const char* SteamAPI_ISteamFriends_GetPersonaName(void* friends)
{
    return CallInterface(Call("SteamAPI_ISteamFriends_GetPersonaName"), friends, friendsInterface,
                         static_cast<const char*>(nullptr), [](Runtime& runtime) { return runtime.settings.personaName; });
}

Steamworks::AppId SteamAPI_ISteamUtils_GetAppID(void* utils)
{
    return CallInterface(Call("SteamAPI_ISteamUtils_GetAppID"), utils, utilsInterface, Steamworks::AppId{0},
                         [](Runtime& runtime) { return runtime.settings.appId; });
}

bool SteamAPI_ISteamUtils_IsOverlayEnabled(void* utils)
{
    return CallInterface(Call("SteamAPI_ISteamUtils_IsOverlayEnabled"), utils, utilsInterface, false,
                         [](Runtime& runtime) { return runtime.settings.overlayEnabled; });
}

} // extern "C"
