#pragma once

// Reading what a control request programs: settings, a catalogue, owned purchases. Every reader
// records its errors in the fields and applies nothing itself.
#include <optional>

#include "Catalogue.h"
#include "ControlFields.h"
#include "OwnedPurchases.h"
#include "SimSettings.h"

namespace Vyro::PlayGamesSim {

// The members of "set" given in the request, over `settings`.
void ReadSettings(Sim::ControlFields& fields, Settings& settings);
// "products": the whole catalogue.
std::optional<Catalogue> ReadCatalogue(Sim::ControlFields& fields);
// "purchases": every owned purchase; those without a transaction id or token are numbered from 1.
std::optional<OwnedPurchases> ReadOwnedPurchases(Sim::ControlFields& fields);

} // namespace Vyro::PlayGamesSim
