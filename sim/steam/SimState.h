#pragma once

#include <cstdint>
#include <deque>
#include <utility>

#include "CallbackRecords.h"
#include "CallbackRegistry.h"
#include "Journal.h"
#include "SharedState.h"
#include "SimSettings.h"

namespace Vyro::SteamSim {

using Sim::Journal;
using Sim::JournalText;

// What the simulated Steam client knows about this process; "reset" starts it afresh.
struct Runtime {
    Settings settings;
    bool initialised = false;
    Steamworks::HAuthTicket nextTicketHandle = 1;
    std::uint64_t runCallbacksCalls = 0;
    std::deque<CallbackRecord> queued; // delivered by the next SteamAPI_RunCallbacks
    std::deque<CallbackRecord> held;   // ticket responses kept back until "releaseTickets"
    CallbackRegistry registry;
    Journal journal;
};

// The process-wide state. Besides the runtime it tracks the delivery in progress, which outlives
// a "reset" or SteamAPI_Shutdown made from inside a callback.
struct SimState {
    Runtime runtime;
    // Changed by every Shutdown and reset: a delivery that sees another value stops.
    std::uint64_t generation = 0;
    bool delivering = false;
};

// Runs `use` on the process-wide state with its lock held. `use` must not call into a callback
// object: a callback may call straight back into the runtime from any thread.
template <typename Use>
auto WithState(Use&& use)
{
    return Sim::SharedState<SimState>::Instance().With(std::forward<Use>(use));
}

} // namespace Vyro::SteamSim
