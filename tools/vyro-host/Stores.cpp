#include "Stores.h"

namespace VyroHost {

namespace {

// One entry per store a session can be staged for.
const std::vector<StoreSetup>& Setups()
{
    static const std::vector<StoreSetup> setups{
        {"none", {}, {}}, // the library alone: detection finds no store runtime
        {"steam", {{"steam_api64.dll", "steam_api64.dll"}}, {"steam.exe"}},
        {"google", {{"play_pc_sdk.dll", "play_pc_sdk.dll"}}, {}}, // the channel checks no launcher
    };
    return setups;
}

} // namespace

const StoreSetup* FindStore(const std::string& name)
{
    for (const StoreSetup& setup : Setups()) {
        if (setup.name == name) {
            return &setup;
        }
    }
    return nullptr;
}

std::string StoreNames()
{
    std::string names;
    for (const StoreSetup& setup : Setups()) {
        names += (names.empty() ? "" : ", ") + setup.name;
    }
    return names;
}

} // namespace VyroHost
