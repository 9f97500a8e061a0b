#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace VyroHost {

// vyro-host [--store NAME] [--launched-by NAMES] [--library PATH] [--check] SCENARIO.json
struct Options {
    std::optional<std::string> store;                   // default: the scenario's, else none
    std::optional<std::vector<std::string>> launchedBy; // default: the scenario's, else the store's
    std::optional<std::filesystem::path> library;       // default: the library beside the harness
    bool check = false;
    std::filesystem::path scenario;
    // The arguments as given, less --launched-by and its value.
    std::vector<std::string> passedOn;
};

inline constexpr const char* kUsage =
    "usage: vyro-host [--store none|steam|google] [--launched-by NAMES] [--library PATH] [--check] SCENARIO.json\n"
    "  --store NAME         stage that store's simulated runtime beside the library (default: the\n"
    "                       scenario's \"store\", else none)\n"
    "  --launched-by NAMES  run the scenario under launcher processes with these executable names,\n"
    "                       comma-separated, outermost first; \"\" starts it directly (default: the\n"
    "                       scenario's \"launchedBy\", else the store's: steam.exe for steam)\n"
    "  --library PATH       the library to load (default: the one beside vyro-host)\n"
    "  --check              compare the output with the scenario's \"expect\" and \"expectCount\"";

// Null with `error` set for a command line that does not fit the usage.
std::optional<Options> ParseCommandLine(const std::vector<std::string>& arguments, std::string& error);

// The arguments that make the harness play the same scenario started directly, as it does inside
// its launchers.
std::vector<std::string> DirectStartArguments(const Options& options);

} // namespace VyroHost
