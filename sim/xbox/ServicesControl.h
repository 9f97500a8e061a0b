#pragma once

#include <nlohmann/json.hpp>

#include "ServicesData.h"

namespace Vyro::XboxSim {

// The "services" op: replaces the parts of the services' catalogue it gives and programs the answers
// of their calls; a refused request changes nothing.
nlohmann::json Services(const nlohmann::json& request);
// The "services" member of the "state" reply.
nlohmann::json DescribeServices(const ServicesData& services);

} // namespace Vyro::XboxSim
