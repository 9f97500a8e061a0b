#pragma once

// Reading what a control request programs: settings, a catalogue, entitlements. Every reader
// records its errors in the fields and applies nothing itself.
#include <optional>

#include "Catalogue.h"
#include "ControlFields.h"
#include "Entitlements.h"
#include "SimSettings.h"

namespace Vyro::EosSim {

// The members of "set" given in the request, over `settings`.
void ReadSettings(Sim::ControlFields& fields, Settings& settings);
// "offers" (every field of each) or "generate" (that many plain offers): the whole catalogue.
std::optional<Catalogue> ReadCatalogue(Sim::ControlFields& fields);
// "entitlements": every entitlement, with every field.
std::optional<Entitlements> ReadEntitlements(Sim::ControlFields& fields);

} // namespace Vyro::EosSim
