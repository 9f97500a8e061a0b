#pragma once

#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "config/ConfigPackValue.h"

namespace Vyro {

// Appends the entries of one JSON object, members in ascending key order, nested objects joined
// to `prefix` with ".". Null members are skipped with a warning on standard error.
void FlattenConfigObject(const nlohmann::json& object, const std::string& prefix, std::vector<ConfigEntry>& entries);

} // namespace Vyro
