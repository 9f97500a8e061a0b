#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace VyroHost {

// vyro-host [--store NAME] [--library PATH] [--check] SCENARIO.json
struct Options {
    std::string store = "none";
    std::optional<std::filesystem::path> library; // default: the library beside the harness
    bool check = false;
    std::filesystem::path scenario;
};

inline constexpr const char* kUsage = "usage: vyro-host [--store none] [--library PATH] [--check] SCENARIO.json";

// Null with `error` set for a command line that does not fit the usage.
std::optional<Options> ParseCommandLine(const std::vector<std::string>& arguments, std::string& error);

} // namespace VyroHost
