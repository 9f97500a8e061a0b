#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>

#include <nlohmann/json.hpp>

#include "SimSettings.h"
#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::XboxSim {

struct SimState;
struct Operation;

// The work of an asynchronous call, run on a worker under the lock when the work is done: gives the
// call's HRESULT and keeps what its result function hands out in `operation.value`.
using Work = std::function<HResult(SimState& state, Operation& operation)>;

// Queued: waiting on the work port. Running: its work runs on a worker. Held: running, kept by
// "holdWork" until "releaseWork". Completed: its status is final and its callback waits on the
// completion port. Delivering: the callback runs (the block is the game's again). Delivered: done.
enum class Stage { Queued, Running, Held, Completed, Delivering, Delivered };

// One asynchronous call on a game's XAsyncBlock.
struct Operation {
    std::uint64_t id = 0;
    const char* function = "";
    Gdk::XAsyncBlock* block = nullptr;
    std::uint64_t queue = 0;
    // Read from the block when the call starts: the runtime does not touch the game's block from its
    // workers.
    Gdk::XAsyncCompletionRoutine* callback = nullptr;
    Stage stage = Stage::Queued;
    HoldWork hold = HoldWork::None;
    std::uint32_t delayMs = 0;
    HResult programmed = Results::kOk; // a failure its outcome was given
    HResult status = Results::kPending;
    std::any value;
    bool resultTaken = false;
    bool cancelled = false; // XAsyncCancel asked while its work ran: it finishes with E_ABORT
    Work work;
};

inline bool WorkUnfinished(const Operation& operation)
{
    return operation.stage == Stage::Queued || operation.stage == Stage::Running || operation.stage == Stage::Held;
}

// Whether the call is still the runtime's: the block must not be used for another call meanwhile.
inline bool InFlight(const Operation& operation) { return WorkUnfinished(operation) || operation.stage == Stage::Completed; }

// The last call made on each block, kept after it completed so that its result can be read (once).
class Operations {
public:
    Operation& Start(Operation operation) { return byBlock_.insert_or_assign(operation.block, std::move(operation)).first->second; }
    Operation* Find(const Gdk::XAsyncBlock* block);
    // The call `id`, if it is still the last one on its block.
    Operation* Find(const Gdk::XAsyncBlock* block, std::uint64_t id);
    std::map<const Gdk::XAsyncBlock*, Operation>& All() { return byBlock_; }
    const std::map<const Gdk::XAsyncBlock*, Operation>& All() const { return byBlock_; }
    // The calls on the queue whose work has not finished (queued, running or held).
    std::size_t UnfinishedOn(std::uint64_t queue) const;

private:
    std::map<const Gdk::XAsyncBlock*, Operation> byBlock_;
};

const char* StageName(Stage stage);

} // namespace Vyro::XboxSim
