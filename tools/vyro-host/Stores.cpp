#include "Stores.h"

namespace VyroHost {

namespace {

// What the Epic launcher passes a game: the exchange code to log in with, and the player, sandbox
// and deployment it was started for. The ids are those of the example configuration
// (examples/config/epic/), the player the one the simulated EOS runtime signs in by default.
std::vector<std::string> EpicLauncherArguments()
{
    return {
        "-AUTH_LOGIN=unused",
        "-AUTH_PASSWORD=sim-exchange-code-0001",
        "-AUTH_TYPE=exchangecode",
        "-epicapp=VyroSampleGame",
        "-epicenv=Prod",
        "-EpicPortal",
        "-epicusername=Zoë Ångström",
        "-epicuserid=0f2d1c8b6a4e4d3c9b8a7f6e5d4c3b2a",
        "-epiclocale=en-US",
        "-epicsandboxid=5a1f0c2e9b7d4e6f8a3c1b0d2e4f6a8c",
        "-epicdeploymentid=c3e5a7b9d1f24680ace13579bdf02468",
    };
}

// One entry per store a session can be staged for.
const std::vector<StoreSetup>& Setups()
{
    static const std::vector<StoreSetup> setups{
        {"none", {}, {}, {}, {}}, // the library alone: detection finds no store runtime
        {"steam", {{"steam_api64.dll", "steam_api64.dll"}}, {"steam.exe"}, {}, {}},
        {"google", {{"play_pc_sdk.dll", "play_pc_sdk.dll"}}, {}, {}, {}}, // the channel checks no launcher
        // The Epic launcher starts the game itself, with its credentials on the command line.
        {"epic", {{"EOSSDK-Win64-Shipping.dll", "EOSSDK-Win64-Shipping.dll"}}, {}, "epic-config",
         EpicLauncherArguments()},
        // The Gaming Runtime and the Xbox services library; the channel checks no launcher.
        {"xbox",
         {{"xgameruntime.dll", "xgameruntime.dll"},
          {"Microsoft.Xbox.Services.GDK.C.Thunks.dll", "Microsoft.Xbox.Services.GDK.C.Thunks.dll"}},
         {},
         {},
         {},
         true},
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

std::vector<std::string> LinkableRuntimes()
{
    std::vector<std::string> runtimes;
    for (const StoreSetup& setup : Setups()) {
        if (!setup.linkable) {
            continue;
        }
        for (const StagedFile& file : setup.files) {
            runtimes.push_back(file.name);
        }
    }
    return runtimes;
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
