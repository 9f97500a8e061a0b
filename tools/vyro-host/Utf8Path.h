#pragma once

#include <filesystem>
#include <string>

namespace VyroHost {

// Arguments, scenario texts and child command lines are UTF-8 on every platform; these convert
// without the narrow code page that std::filesystem would use on Windows.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string PathToUtf8(const std::filesystem::path& path);

} // namespace VyroHost
