#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace VyroHost {

// vyro-host [--store NAME] [--launched-by NAMES] [--library PATH] [--check] SCENARIO.json [-- ARG...]
// Every argument is UTF-8.
struct Options {
    std::optional<std::string> store;                   // default: the scenario's, else none
    std::optional<std::vector<std::string>> launchedBy; // default: the scenario's, else the store's
    std::optional<std::filesystem::path> library;       // default: the library beside the harness
    bool check = false;
    std::filesystem::path scenario;
    // The arguments after "--": this process was started as the game, with these on its command
    // line, so it plays the scenario itself.
    std::optional<std::vector<std::string>> gameArguments;
    // The harness's own arguments as given, less --launched-by and its value.
    std::vector<std::string> passedOn;
};

inline constexpr const char* kUsage =
    "usage: vyro-host [--store none|steam|google|epic|xbox] [--launched-by NAMES] [--library PATH] [--check]\n"
    "                 SCENARIO.json [-- ARG...]\n"
    "       vyro-host --help | -h\n"
    "       vyro-host --version\n"
    "  --store NAME         stage that store's simulated runtime (for xbox, the Gaming Runtime and the\n"
    "                       Xbox services library; for epic, also its configuration store) beside\n"
    "                       the library, and start the game as that store does\n"
    "                       (default: the scenario's \"store\", else none)\n"
    "  --launched-by NAMES  run the scenario under launcher processes with these executable names,\n"
    "                       comma-separated, outermost first; \"\" starts it directly (default: the\n"
    "                       scenario's \"launchedBy\", else the store's: steam.exe for steam)\n"
    "  --library PATH       the library to load (default: the one beside vyro-host)\n"
    "  --check              compare the output with the scenario's \"expect\" and \"expectCount\"\n"
    "  -- ARG...            the rest is the game's command line: play in this process as started,\n"
    "                       with no launchers and no new process (the harness starts itself this way\n"
    "                       when the scenario's \"arguments\" or the store's are not empty)";

// Null with `error` set for a command line that does not fit the usage.
std::optional<Options> ParseCommandLine(const std::vector<std::string>& arguments, std::string& error);

// The arguments that make the harness play the same scenario as the game started with
// `gameArguments`, as it does in the process it starts for the game, directly or under launchers.
std::vector<std::string> GameProcessArguments(const Options& options, const std::vector<std::string>& gameArguments);

} // namespace VyroHost
