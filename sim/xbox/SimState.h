#pragma once

#include <cstdint>
#include <utility>

#include "Account.h"
#include "Journal.h"
#include "MultiplayerData.h"
#include "OnlineData.h"
#include "Operations.h"
#include "Registrations.h"
#include "ServicesData.h"
#include "SharedState.h"
#include "SimSettings.h"
#include "SocialData.h"
#include "StateChanges.h"
#include "Store.h"
#include "TaskQueues.h"
#include "XblLibrary.h"

namespace Vyro::XboxSim {

using Sim::Journal;
using Sim::JournalText;

// What a user handle or a store context keeps: nothing but its number, as every handle of this
// simulator names the one account.
struct UserRecord {};
struct StoreContextRecord {
    std::uint64_t user = 0;
};

struct DispatchCounts {
    std::uint64_t calls = 0;     // every XTaskQueueDispatch
    std::uint64_t delivered = 0; // those that ran a callback
};

// What the simulated runtime knows about this process; "reset" starts it afresh.
struct Runtime {
    Settings settings;
    std::uint32_t initCount = 0;
    bool everInitialised = false;
    Account account;
    TaskQueues queues;
    HandleTable<UserRecord> users;
    HandleTable<StoreContextRecord> storeContexts;
    Operations operations;
    std::uint64_t lastOperation = 0;
    EventRegistrations events;
    XblLibrary xbl;
    ServicesData services;
    DispatchCounts dispatches;
    Journal journal;
    Store store;
    MultiplayerData multiplayer;
    OnlineData online;
    SocialData social;
};

// The process-wide state: the runtime, and the handle numbers, which outlive a "reset" so that a
// handle kept from before it is not mistaken for one made after it.
struct SimState {
    Runtime runtime;
    std::uint64_t lastNumber = 0;

    std::uint64_t NextNumber() { return ++lastNumber; }
};

// Runs `use` on the state with its lock held, then wakes the threads waiting for it to change. `use`
// must not call game code: game code may call straight back into the runtime.
template <typename Use>
auto WithState(Use&& use)
{
    struct AnnounceAfter {
        ~AnnounceAfter() { StateChanges::Instance().Announce(); }
    } announce;
    return Sim::SharedState<SimState>::Instance().With(std::forward<Use>(use));
}

// Reads the state with its lock held, announcing nothing: for the checks of waiting threads, which
// would otherwise wake each other for ever.
template <typename Use>
auto InspectState(Use&& use)
{
    return Sim::SharedState<SimState>::Instance().With(std::forward<Use>(use));
}

} // namespace Vyro::XboxSim
