#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "ControlFields.h"
#include "Store.h"

namespace Vyro::XboxSim {

// The "store" control op: programs the catalogue, the page size and how the store's calls answer.
nlohmann::json ProgramStore(const nlohmann::json& request);

} // namespace Vyro::XboxSim
