#pragma once

#include <nlohmann/json.hpp>

namespace Vyro::XboxSim {

// The "store" control op: programs the catalogue, the page size and how the store's calls answer.
nlohmann::json ProgramStore(const nlohmann::json& request);

} // namespace Vyro::XboxSim
