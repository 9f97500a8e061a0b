#pragma once

#include <span>

#include "ControlDispatch.h"

namespace Vyro::SteamSim {

// Every control op of the simulated Steam runtime.
std::span<const Sim::NamedControlOp> ControlOps();

} // namespace Vyro::SteamSim
