// XAsyncGetStatus: the status of the call on a block, E_PENDING until it completes; with `wait` it
// blocks until the call is done (for a block with a callback, as with the real runtime, once the
// callback has run; for one without, as soon as the work completes, with no dispatch). XAsyncCancel
// stops a call whose work is not done: it completes with E_ABORT.
#include <thread>

#include "AsyncCalls.h"
#include "BlockingCalls.h"
#include "Calls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

bool Done(const Operation& operation) { return operation.stage == Stage::Delivered; }

// Whether the calling thread has dispatched the completion port that the call's callback waits on.
bool DispatchesCallbackOf(Runtime& runtime, const Operation& operation)
{
    const auto* queue = runtime.queues.FindNumber(operation.queue);
    return operation.callback != nullptr && queue != nullptr && (*queue)->dispatchers.contains(std::this_thread::get_id());
}

Blocking<HResult> BeginStatus(Call& call, Gdk::XAsyncBlock* block, bool wait)
{
    if (!call.Admitted()) {
        return Answered(call.Returns(Results::kRuntimeNotInitialized));
    }
    Operation* operation = block == nullptr ? nullptr : call.Rt().operations.Find(block);
    if (!call.Requires(block != nullptr, "null XAsyncBlock") ||
        !call.Requires(operation != nullptr, "no call was started on this XAsyncBlock")) {
        return Answered(call.Returns(Results::kInvalidArg));
    }
    call.Entry()["operation"] = operation->id;
    if (!wait || Done(*operation)) {
        return Answered(call.Returns(operation->status));
    }
    if (DispatchesCallbackOf(call.Rt(), *operation)) {
        call.Misuse("wait on a thread that dispatches the completion port of the block's callback: the call is done only "
                    "once this thread dispatches it, so the real runtime would never return");
        return Answered(call.Returns(operation->status));
    }
    return Waits<HResult>(call);
}

} // namespace

extern "C" void XAsyncCancel(Gdk::XAsyncBlock* asyncBlock)
{
    JournalledCall("XAsyncCancel", {}, [&](Call& call) {
        Operation* operation = asyncBlock == nullptr ? nullptr : call.Rt().operations.Find(asyncBlock);
        if (!call.Admitted() || !call.Requires(operation != nullptr, "no call was started on this XAsyncBlock")) {
            return;
        }
        call.Entry()["operation"] = operation->id;
        call.Entry()["call"] = operation->function;
        call.Entry()["cancelled"] = Cancel(call.State(), *operation);
    });
}

extern "C" Gdk::HResult XAsyncGetStatus(Gdk::XAsyncBlock* asyncBlock, bool wait)
{
    Blocking<HResult> blocking = JournalledCall("XAsyncGetStatus", {{"wait", wait}},
                                                [&](Call& call) { return BeginStatus(call, asyncBlock, wait); });
    const std::uint64_t id = blocking.waitingEntry ? blocking.waitingEntry->value("operation", std::uint64_t{0}) : 0;
    // The status last seen stands when the call is gone: its callback started another call on the
    // block, or the runtime was reset.
    HResult lastSeen = Results::kPending;
    const auto done = [&](SimState& state) -> std::optional<HResult> {
        const Operation* operation = state.runtime.operations.Find(asyncBlock, id);
        if (operation == nullptr) {
            return lastSeen;
        }
        lastSeen = operation->status;
        return Done(*operation) ? std::optional(lastSeen) : std::nullopt;
    };
    return FinishBlocking(std::move(blocking), done, [&](SimState&) { return lastSeen; });
}
