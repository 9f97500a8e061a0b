#pragma once

#include <span>

#include "ControlDispatch.h"

namespace Vyro::PlayGamesSim {

// Every control op of the simulated Play Games PC runtime.
std::span<const Sim::NamedControlOp> ControlOps();

} // namespace Vyro::PlayGamesSim
