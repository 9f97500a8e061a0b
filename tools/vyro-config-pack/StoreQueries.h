#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace ConfigPack {

// Read-only queries of a finished store; each returns the exit status and prints to `out`.
int RunList(const std::filesystem::path& storeFolder, std::FILE* out);
int RunGet(const std::filesystem::path& storeFolder, const std::string& type, const std::string& key, std::FILE* out);

} // namespace ConfigPack
