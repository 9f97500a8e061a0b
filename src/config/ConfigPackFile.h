#pragma once

#include <filesystem>
#include <vector>

#include "config/ConfigPackValue.h"

namespace Vyro {

struct ConfigFileResult {
    std::vector<ConfigEntry> entries; // in the file's flattened key order
    bool ok = false;
};

// Loads and flattens one JSON file whose root is an object. Failures are printed on standard error.
ConfigFileResult LoadConfigFile(const std::filesystem::path& file);

} // namespace Vyro
