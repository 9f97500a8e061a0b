#pragma once

// Asynchronous calls as XAsync runs them: the caller's XAsyncBlock names the queue and the completion
// callback; the call's work runs on the runtime's workers, its status and result are kept for the
// block, and the callback is posted on the queue's completion port.
#include <cstdint>

#include "Calls.h"
#include "Operations.h"

namespace Vyro::XboxSim {

// Checks the block of a call about to start (journalled as "operation" once started, "queue" and
// "callback"): the queue it names, or nothing with the HRESULT the start returns in `refusal` (a null
// block or one whose call is still in flight is misuse).
TaskQueue* AcceptBlock(Call& call, Gdk::XAsyncBlock* block, HResult& refusal);
// Starts the call on an accepted block: its work is queued for the workers (or held, as "holdWork"
// says), to run as `outcome` says; S_OK.
HResult Launch(Call& call, Gdk::XAsyncBlock* block, TaskQueue& queue, const Outcome& outcome, Work work);

// Completes a call with `status`: its callback goes on its queue's completion port (unless it has
// none, or the queue was closed), and a terminating queue may now be idle.
void Complete(SimState& state, Operation& operation, HResult status);
// Cancels one call: one whose work has not started, or is held, completes with E_ABORT now; running
// work finishes with E_ABORT. False when its work is done already.
bool Cancel(SimState& state, Operation& operation);
// Cancels the calls on the queue whose work has not started: they complete with E_ABORT.
void CancelQueuedWork(SimState& state, std::uint64_t queue);
// Lets every held call go on; how many there were.
std::size_t ReleaseHeldWork(SimState& state);
// Drops every call whose work has not finished (the runtime is going away): they never complete;
// how many there were.
std::size_t AbandonWork(SimState& state);

// The completed call on a block whose result a result function reads, or the HRESULT it answers
// instead: E_PENDING before completion, the call's own failure, E_ILLEGAL_METHOD_CALL once the result
// was read (misuse), E_INVALIDARG for a block of another call (misuse).
struct ResultRead {
    Operation* operation = nullptr;
    HResult failure = Results::kOk;
};
ResultRead ReadResult(Call& call, Gdk::XAsyncBlock* block, const char* startedBy);

} // namespace Vyro::XboxSim
