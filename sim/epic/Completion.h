#pragma once

#include "SimState.h"

namespace Vyro::EosSim {

// Whether a result ends an operation; a completion delivered with any other result is delivered
// again in a later Tick. EOS_OperationWillRetry never ends one, nor do the programmed incomplete
// results.
bool IsComplete(const Runtime& runtime, Eos::EResult result);

} // namespace Vyro::EosSim
