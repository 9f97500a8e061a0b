#pragma once

#include "ControlFields.h"
#include "SimSettings.h"

namespace Vyro::XboxSim {

// An HRESULT member: a 32-bit integer, or "0x" and hex digits.
void ReadHResult(Sim::ControlFields& fields, const char* name, HResult& target);
// An outcome member: an HRESULT, or {"result": HRESULT, "delayMs": n}.
void ReadOutcome(Sim::ControlFields& fields, const char* name, Outcome& target);
// An array of outcomes that replaces what is left of the list.
void ReadOutcomes(Sim::ControlFields& fields, const char* name, std::deque<Outcome>& target);

// The members of "set" given in the request, over `settings`; errors are recorded in the fields.
void ReadSettings(Sim::ControlFields& fields, Settings& settings);

} // namespace Vyro::XboxSim
