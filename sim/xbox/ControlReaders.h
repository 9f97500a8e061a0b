#pragma once

#include "ControlFields.h"
#include "SimSettings.h"

namespace Vyro::XboxSim {

// An HRESULT member; an outcome member; arrays of outcomes or HRESULTs that replace what is left of
// `target`.
void ReadHResult(Sim::ControlFields& fields, const char* name, HResult& target);
void ReadOutcome(Sim::ControlFields& fields, const char* name, Outcome& target);
void ReadOutcomes(Sim::ControlFields& fields, const char* name, std::deque<Outcome>& target);
void ReadHResults(Sim::ControlFields& fields, const char* name, std::deque<HResult>& target);

// The members of "set" given in the request, over `settings`; errors are recorded in the fields.
void ReadSettings(Sim::ControlFields& fields, Settings& settings);

} // namespace Vyro::XboxSim
