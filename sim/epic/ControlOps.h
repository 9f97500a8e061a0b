#pragma once

#include <span>

#include "ControlDispatch.h"

namespace Vyro::EosSim {

// Every control op of the simulated EOS SDK.
std::span<const Sim::NamedControlOp> ControlOps();

} // namespace Vyro::EosSim
