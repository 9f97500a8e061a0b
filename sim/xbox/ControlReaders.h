#pragma once

#include "ControlFields.h"
#include "SimSettings.h"
#include "Store.h"

namespace Vyro::XboxSim {

// An HRESULT member; an outcome member; arrays of outcomes or HRESULTs that replace what is left of
// `target`.
void ReadHResult(Sim::ControlFields& fields, const char* name, HResult& target);
void ReadOutcome(Sim::ControlFields& fields, const char* name, Outcome& target);
void ReadOutcomes(Sim::ControlFields& fields, const char* name, std::deque<Outcome>& target);
void ReadHResults(Sim::ControlFields& fields, const char* name, std::deque<HResult>& target);

// How one asynchronous call answers: "<call>StartResult", "<call>Results", "<call>Default" and
// "<call>ResultResult".
void ReadCall(Sim::ControlFields& fields, const std::string& call, StoreCallSettings& settings);

// The members of "set" given in the request, over `settings`; errors are recorded in the fields.
void ReadSettings(Sim::ControlFields& fields, Settings& settings);

} // namespace Vyro::XboxSim
