// Starting and stopping the runtime, and handing out its interfaces.
#include <algorithm>
#include <cstring>

#include "SimInterfaces.h"
#include "SimState.h"
#include "SteamSim.h"

using namespace Vyro::SteamSim;
namespace Steamworks = Vyro::Steamworks;

namespace {

// The NUL-separated list ended by an empty string, as the game passes it.
nlohmann::json SplitVersionList(const char* versions)
{
    nlohmann::json list = nlohmann::json::array();
    for (const char* version = versions; version != nullptr && *version != '\0'; version += std::strlen(version) + 1) {
        list.push_back(version);
    }
    return list;
}

// Steam's error buffer: always terminated, the text cut to fit.
void WriteErrorText(Steamworks::InitErrorText* errorText, const std::string& text)
{
    if (errorText == nullptr) {
        return;
    }
    const std::size_t length = std::min(text.size(), Steamworks::kInitErrorSize - 1);
    std::memcpy(*errorText, text.data(), length);
    (*errorText)[length] = '\0';
}

// Why `version` cannot be handed out to `user`, or null when it can.
const char* RefusalOf(const Runtime& runtime, const SimInterface* found, Steamworks::HSteamUser user)
{
    if (!runtime.initialised) {
        return "Steam API not initialised";
    }
    if (found == nullptr) {
        return "unknown interface version";
    }
    if (found->perUser && user != kCurrentUser) {
        return "user handle is not the current user";
    }
    return nullptr;
}

} // namespace

extern "C" {

Steamworks::InitResult SteamInternal_SteamAPI_Init(const char* interfaceVersions, Steamworks::InitErrorText* errorText)
{
    return WithState([&](SimState& state) {
        Runtime& runtime = state.runtime;
        const int result = runtime.settings.initResult;
        runtime.journal.Add(
            {{"fn", "SteamInternal_SteamAPI_Init"}, {"versions", SplitVersionList(interfaceVersions)}, {"result", result}});
        if (result == Steamworks::InitOk) {
            runtime.initialised = true;
            WriteErrorText(errorText, "");
        } else {
            WriteErrorText(errorText, runtime.settings.initError.value_or(DefaultInitError(result)));
        }
        return static_cast<Steamworks::InitResult>(result);
    });
}

void SteamAPI_Shutdown()
{
    WithState([](SimState& state) {
        state.runtime.journal.Add({{"fn", "SteamAPI_Shutdown"}, {"wasInitialised", state.runtime.initialised}});
        state.runtime.initialised = false;
        state.runtime.queued.clear();
        ++state.generation;
    });
}

Steamworks::HSteamUser SteamAPI_GetHSteamUser()
{
    return WithState([](SimState& state) {
        const Steamworks::HSteamUser user = state.runtime.initialised ? kCurrentUser : 0;
        state.runtime.journal.Add({{"fn", "SteamAPI_GetHSteamUser"}, {"result", user}});
        return user;
    });
}

void* SteamInternal_FindOrCreateUserInterface(Steamworks::HSteamUser user, const char* version)
{
    return WithState([&](SimState& state) -> void* {
        nlohmann::json entry{{"fn", "SteamInternal_FindOrCreateUserInterface"}, {"user", user}, {"version", JournalText(version)}};
        const SimInterface* found = version == nullptr ? nullptr : FindInterface(version);
        const char* refusal = RefusalOf(state.runtime, found, user);
        entry["result"] = refusal == nullptr ? nlohmann::json(found->version) : nlohmann::json();
        if (refusal != nullptr) {
            entry["error"] = refusal;
        }
        state.runtime.journal.Add(std::move(entry));
        return refusal == nullptr ? InterfacePointer(*found) : nullptr;
    });
}

} // extern "C"
