#include "AsyncCalls.h"

#include <chrono>
#include <optional>
#include <string>

#include "Workers.h"

namespace Vyro::XboxSim {

namespace {

void FinishWork(SimState& state, Operation& operation)
{
    const auto* queue = state.runtime.queues.FindNumber(operation.queue);
    HResult status = operation.programmed;
    if (operation.cancelled || (queue != nullptr && (*queue)->termination != Termination::None)) {
        status = Results::kAbort;
    } else if (Gdk::Succeeded(status)) {
        status = operation.work(state, operation);
    }
    Complete(state, operation, status);
}

// Finishes a call whose running was held, once released.
void ResumeOperation(const Gdk::XAsyncBlock* block, std::uint64_t id)
{
    WithState([&](SimState& state) {
        Operation* operation = state.runtime.operations.Find(block, id);
        if (operation != nullptr && operation->stage == Stage::Running) {
            FinishWork(state, *operation);
        }
    });
}

// A call's work on a worker: it starts (unless cancelled meanwhile), runs for its delay with no lock
// held, and then finishes, or stays running while held.
void RunOperation(const Gdk::XAsyncBlock* block, std::uint64_t id)
{
    const std::optional<std::uint32_t> delay = WithState([&](SimState& state) -> std::optional<std::uint32_t> {
        Operation* operation = state.runtime.operations.Find(block, id);
        if (operation == nullptr || operation->stage != Stage::Queued) {
            return std::nullopt;
        }
        operation->stage = Stage::Running;
        return operation->delayMs;
    });
    if (!delay || (*delay > 0 && !Workers::Instance().Pause(std::chrono::milliseconds(*delay)))) {
        return;
    }
    WithState([&](SimState& state) {
        Operation* operation = state.runtime.operations.Find(block, id);
        if (operation == nullptr || operation->stage != Stage::Running) {
            return;
        }
        if (operation->hold == HoldWork::Running) {
            operation->stage = Stage::Held;
            return;
        }
        FinishWork(state, *operation);
    });
}

void SubmitRun(const Operation& operation)
{
    Workers::Instance().Submit([block = operation.block, id = operation.id] { RunOperation(block, id); });
}

void SubmitResume(const Operation& operation)
{
    Workers::Instance().Submit([block = operation.block, id = operation.id] { ResumeOperation(block, id); });
}

PortItem CompletionItem(const Operation& operation)
{
    Gdk::XAsyncBlock* block = operation.block;
    const std::uint64_t id = operation.id;
    Gdk::XAsyncCompletionRoutine* callback = operation.callback;
    PortItem item;
    item.entry = {{"delivers", operation.function}, {"operation", id}, {"status", HResultText(operation.status)}};
    // The block is the game's again while its callback runs: the callback may start another call on it.
    item.begin = [block, id](SimState& state) {
        if (Operation* delivering = state.runtime.operations.Find(block, id)) {
            delivering->stage = Stage::Delivering;
        }
        return true;
    };
    item.call = [callback, block] { callback(block); };
    item.after = [block, id](SimState& state, TaskQueue&) {
        if (Operation* delivered = state.runtime.operations.Find(block, id)) {
            delivered->stage = Stage::Delivered;
        }
    };
    return item;
}

} // namespace

TaskQueue* AcceptBlock(Call& call, Gdk::XAsyncBlock* block, HResult& refusal)
{
    refusal = Results::kInvalidArg;
    if (!call.Requires(block != nullptr, "null XAsyncBlock")) {
        return nullptr;
    }
    call.Entry()["callback"] = block->callback != nullptr;
    const Operation* previous = call.Rt().operations.Find(block);
    if (!call.Requires(previous == nullptr || !InFlight(*previous),
                       "the XAsyncBlock is still in flight with " + std::string(previous == nullptr ? "" : previous->function))) {
        return nullptr;
    }
    return call.SubmissionQueue(block->queue, refusal);
}

HResult Launch(Call& call, Gdk::XAsyncBlock* block, TaskQueue& queue, const Outcome& outcome, Work work)
{
    Runtime& runtime = call.Rt();
    Operation operation;
    operation.id = ++runtime.lastOperation;
    operation.function = call.Function();
    operation.block = block;
    operation.queue = queue.number;
    operation.callback = block->callback;
    operation.hold = runtime.settings.holdWork;
    operation.delayMs = outcome.delayMs.value_or(runtime.settings.workDelayMs);
    operation.programmed = outcome.result;
    operation.work = std::move(work);
    nlohmann::json& entry = call.Entry();
    entry["operation"] = operation.id;
    entry["programmed"] = HResultText(outcome.result);
    entry["delayMs"] = operation.delayMs;
    const Operation& started = runtime.operations.Start(std::move(operation));
    if (started.hold != HoldWork::Queued) {
        SubmitRun(started);
    }
    return call.Returns(Results::kOk);
}

void Complete(SimState& state, Operation& operation, HResult status)
{
    operation.status = status;
    std::shared_ptr<TaskQueue>* queue = state.runtime.queues.FindNumber(operation.queue);
    if (operation.callback != nullptr && queue != nullptr) {
        operation.stage = Stage::Completed;
        Post(**queue, CompletionItem(operation));
    } else {
        operation.stage = Stage::Delivered;
    }
    if (queue != nullptr) {
        QueueTerminationWhenIdle(state, **queue);
    }
}

bool Cancel(SimState& state, Operation& operation)
{
    if (operation.stage == Stage::Queued || operation.stage == Stage::Held) {
        Complete(state, operation, Results::kAbort);
        return true;
    }
    if (operation.stage == Stage::Running) {
        operation.cancelled = true;
        return true;
    }
    return false;
}

void CancelQueuedWork(SimState& state, std::uint64_t queue)
{
    for (auto& [block, operation] : state.runtime.operations.All()) {
        if (operation.queue == queue && operation.stage == Stage::Queued) {
            Complete(state, operation, Results::kAbort);
        }
    }
}

std::size_t ReleaseHeldWork(SimState& state)
{
    std::size_t released = 0;
    for (auto& [block, operation] : state.runtime.operations.All()) {
        const bool heldQueued = operation.stage == Stage::Queued && operation.hold == HoldWork::Queued;
        const bool heldRunning = operation.stage == Stage::Held;
        operation.hold = HoldWork::None;
        if (heldQueued) {
            SubmitRun(operation);
        } else if (heldRunning) {
            operation.stage = Stage::Running;
            SubmitResume(operation);
        }
        released += heldQueued || heldRunning;
    }
    return released;
}

std::size_t AbandonWork(SimState& state)
{
    std::size_t abandoned = 0;
    for (auto& [block, operation] : state.runtime.operations.All()) {
        if (WorkUnfinished(operation)) {
            operation.status = Results::kAbort;
            operation.stage = Stage::Delivered;
            ++abandoned;
        }
    }
    return abandoned;
}

ResultRead ReadResult(Call& call, Gdk::XAsyncBlock* block, const char* startedBy)
{
    if (!call.Requires(block != nullptr, "null XAsyncBlock")) {
        return {nullptr, Results::kInvalidArg};
    }
    Operation* operation = call.Rt().operations.Find(block);
    if (!call.Requires(operation != nullptr, "no call was started on this XAsyncBlock")) {
        return {nullptr, Results::kInvalidArg};
    }
    call.Entry()["operation"] = operation->id;
    if (!call.Requires(std::string(operation->function) == startedBy,
                       std::string("the XAsyncBlock's call is ") + operation->function + ", not " + startedBy)) {
        return {nullptr, Results::kInvalidArg};
    }
    if (!Gdk::Succeeded(operation->status)) {
        return {nullptr, operation->status};
    }
    if (!call.Requires(!operation->resultTaken, "the result was read already")) {
        return {nullptr, Results::kIllegalMethodCall};
    }
    return {operation, Results::kOk};
}

} // namespace Vyro::XboxSim
