#pragma once

#include "ControlFields.h"
#include "SimSettings.h"

namespace Vyro::XboxSim {

// The members of "set" given in the request, over `settings`; errors are recorded in the fields.
void ReadSettings(Sim::ControlFields& fields, Settings& settings);

} // namespace Vyro::XboxSim
