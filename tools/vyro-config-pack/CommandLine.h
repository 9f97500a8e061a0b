#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ConfigPack {

struct Command {
    enum class Kind { Help, Version, Pack, List, Get };
    Kind kind = Kind::Help;
    std::filesystem::path jsonFolder;  // Pack
    std::filesystem::path storeFolder; // Pack, List, Get
    std::string type;                  // Get
    std::string key;                   // Get
};

// `args` are the UTF-8 arguments after the program name. Nothing, with `error` set, when they
// match no form of the usage text.
std::optional<Command> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

const char* UsageText();

} // namespace ConfigPack
