// Task queues: made with a thread-pool work port and a manual completion port, terminated in order,
// and closed.
#include <memory>
#include <thread>

#include "BlockingCalls.h"
#include "Calls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

const char* ModeName(Gdk::XTaskQueueDispatchMode mode)
{
    switch (mode) {
    case Gdk::XTaskQueueDispatchMode::Manual:
        return "Manual";
    case Gdk::XTaskQueueDispatchMode::ThreadPool:
        return "ThreadPool";
    case Gdk::XTaskQueueDispatchMode::SerializedThreadPool:
        return "SerializedThreadPool";
    case Gdk::XTaskQueueDispatchMode::Immediate:
        return "Immediate";
    }
    return nullptr;
}

nlohmann::json DescribeMode(Gdk::XTaskQueueDispatchMode mode)
{
    const char* name = ModeName(mode);
    return name == nullptr ? nlohmann::json(static_cast<std::uint32_t>(mode)) : nlohmann::json(name);
}

HResult CreateQueue(Call& call, Gdk::XTaskQueueDispatchMode work, Gdk::XTaskQueueDispatchMode completion,
                    Gdk::XTaskQueueHandle* queue)
{
    if (!call.Requires(ModeName(work) != nullptr && ModeName(completion) != nullptr, "not a dispatch mode") ||
        !call.Requires(queue != nullptr, "null queue out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    if (work != Gdk::XTaskQueueDispatchMode::ThreadPool || completion != Gdk::XTaskQueueDispatchMode::Manual) {
        call.Entry()["unsupported"] = "the simulator makes queues with ThreadPool work and Manual completion only";
        return call.Returns(Results::kInvalidArg);
    }
    auto made = std::make_shared<TaskQueue>();
    made->number = call.State().NextNumber();
    return call.HandsOut(call.Rt().queues, made->number, made, queue, "queue");
}

Blocking<HResult> BeginTermination(Call& call, Gdk::XTaskQueueHandle handle, bool wait, void* context,
                                   Gdk::XTaskQueueTerminatedCallback* callback)
{
    if (!call.Admitted()) {
        return Answered(call.Returns(Results::kRuntimeNotInitialized));
    }
    TaskQueue* queue = call.Queue(handle);
    if (queue == nullptr) {
        return Answered(call.Returns(Results::kInvalidArg));
    }
    if (!call.Requires(queue->termination == Termination::None, "the queue is terminated already")) {
        return Answered(call.Returns(Results::kAbort));
    }
    call.Entry()["droppedEvents"] = StartTermination(call.State(), *queue, context, callback);
    if (!wait) {
        return Answered(call.Returns(Results::kOk));
    }
    if (queue->dispatchers.contains(std::this_thread::get_id())) {
        call.Misuse("wait on a thread that dispatches the queue's completion port: the termination ends only when this "
                    "thread dispatches it, so the real runtime would never return");
        return Answered(call.Returns(Results::kOk));
    }
    return Waits<HResult>(call);
}

} // namespace

extern "C" {

Gdk::HResult XTaskQueueCreate(Gdk::XTaskQueueDispatchMode workDispatchMode, Gdk::XTaskQueueDispatchMode completionDispatchMode,
                              Gdk::XTaskQueueHandle* queue)
{
    return RuntimeCall("XTaskQueueCreate",
                       {{"workMode", DescribeMode(workDispatchMode)}, {"completionMode", DescribeMode(completionDispatchMode)}},
                       [&](Call& call) { return CreateQueue(call, workDispatchMode, completionDispatchMode, queue); });
}

Gdk::HResult XTaskQueueTerminate(Gdk::XTaskQueueHandle queue, bool wait, void* callbackContext,
                                 Gdk::XTaskQueueTerminatedCallback* callback)
{
    const auto number = NumberOf(queue);
    Blocking<HResult> blocking = JournalledCall(
        "XTaskQueueTerminate", {{"wait", wait}, {"context", DescribeContext(callbackContext)}, {"callback", callback != nullptr}},
        [&](Call& call) { return BeginTermination(call, queue, wait, callbackContext, callback); });
    // Done once the termination item has been dispatched, or the queue is gone.
    const auto finished = [&](SimState& state) -> std::optional<HResult> {
        const auto* live = number ? state.runtime.queues.FindNumber(*number) : nullptr;
        return live == nullptr || (*live)->termination == Termination::Finished ? std::optional(Results::kOk) : std::nullopt;
    };
    return FinishBlocking(std::move(blocking), finished, [](SimState&) { return Results::kOk; });
}

void XTaskQueueCloseHandle(Gdk::XTaskQueueHandle queue)
{
    JournalledCall("XTaskQueueCloseHandle", {}, [&](Call& call) {
        TaskQueue* closing = call.Admitted() ? call.Queue(queue) : nullptr;
        if (closing == nullptr) {
            return;
        }
        // Whatever is still on its completion port can never be dispatched any more.
        if (closing->termination != Termination::Finished) {
            call.Entry()["terminated"] = closing->termination != Termination::None;
            call.Entry()["dropped"] = closing->completions.size();
        }
        call.Rt().queues.Remove(closing->number);
    });
}

} // extern "C"
