#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace Vyro {

// MMKV takes folders as UTF-8 text on every platform; these convert without the narrow code page.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

} // namespace Vyro
