#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "config/ConfigPackValue.h"

namespace Vyro {

// The entries of every ".json" file directly in `folder`, files in ascending path order, each
// file's entries in its own order. On the first failure: an empty list and `error` set. A key
// that two files, or one file twice, produce is such a failure.
// File-system errors other than absence are thrown as std::filesystem::filesystem_error.
std::vector<ConfigEntry> LoadConfigFolder(const std::filesystem::path& folder, std::string& error);

} // namespace Vyro
