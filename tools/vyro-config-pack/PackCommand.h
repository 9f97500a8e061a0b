#pragma once

#include <cstdio>
#include <filesystem>

namespace ConfigPack {

// Builds a fresh store in `storeFolder` from the JSON files of `jsonFolder`; the exit status.
int RunPack(const std::filesystem::path& jsonFolder, const std::filesystem::path& storeFolder, std::FILE* out);

} // namespace ConfigPack
