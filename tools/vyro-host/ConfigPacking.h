#pragma once

#include <filesystem>
#include <string>

namespace VyroHost {

// Packs every JSON file of `jsonFolder` into the configuration store files in `storeFolder` with
// the packing tool `packer`, run as a child on this process's standard streams (its messages go
// where this process's do). False with `error` set when it cannot be started or fails.
bool PackConfig(const std::filesystem::path& packer, const std::filesystem::path& jsonFolder,
                const std::filesystem::path& storeFolder, std::string& error);

} // namespace VyroHost
