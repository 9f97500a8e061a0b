#pragma once

#include <span>

#include "ControlDispatch.h"

namespace Vyro::XboxSim {

// Every control op of the simulated GDK.
std::span<const Sim::NamedControlOp> ControlOps();

} // namespace Vyro::XboxSim
