#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "BillingClients.h"
#include "Catalogue.h"
#include "Journal.h"
#include "OwnedPurchases.h"
#include "SharedState.h"
#include "SimSettings.h"

namespace Vyro::PlayGamesSim {

// What the simulated store knows about this process; "reset" starts it afresh.
struct Runtime {
    Settings settings;
    Catalogue catalogue = DefaultCatalogue();
    OwnedPurchases owned = DefaultOwnedPurchases();
    bool initialised = false; // an initialisation has succeeded
    BillingClients clients;
    std::uint64_t purchasesMade = 0; // numbers the purchases the runtime makes
    Sim::Journal journal;
};

// The process-wide state: the runtime, and what outlives a "reset".
struct SimState {
    Runtime runtime;
    // Client numbers are never reused in a process, so that a handle kept from before a reset is
    // not mistaken for a new client.
    std::uint64_t lastClientNumber = 0;
    // The contexts of completions that will never be called, kept so that the game's context
    // objects stay reachable rather than leaked.
    std::vector<void*> withheld;
};

// Runs `use` on the state with its lock held. `use` must not call a game's completion: a
// completion may call straight back into the runtime.
template <typename Use>
auto WithState(Use&& use)
{
    return Sim::SharedState<SimState>::Instance().With(std::forward<Use>(use));
}

} // namespace Vyro::PlayGamesSim
