#pragma once

#include <nlohmann/json.hpp>

#include "SimState.h"

namespace Vyro::XboxSim {

// What the game still has open, by kind, only the kinds with something open: the runtime's
// initialisations, queues, user handles, store contexts, event registrations, asynchronous calls in
// flight, the Xbox services library and its contexts. Empty when everything was closed.
nlohmann::json OpenObjects(const Runtime& runtime);
// The journal entries that carry "misuse", oldest first.
nlohmann::json MisuseEntries(const Journal& journal);
// The "state" reply's members.
nlohmann::json DescribeState(const SimState& state);

} // namespace Vyro::XboxSim
