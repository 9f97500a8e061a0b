// XTaskQueueDispatch: the only place callbacks reach the game, one per call, on the thread that
// dispatches, with no lock held, so a callback may call straight back into any export (dispatch again,
// terminate and close the very queue) or send control requests.
#include <limits>
#include <memory>
#include <optional>
#include <thread>

#include "Calls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr std::uint32_t kInfinite = std::numeric_limits<std::uint32_t>::max();

// The queue a dispatch may wait on: open, not done terminating, dispatched on its completion port.
// Only a refused dispatch is journalled: games dispatch every frame, and a frame with nothing to
// deliver should cost next to nothing.
std::optional<std::uint64_t> BeginDispatch(Gdk::XTaskQueueHandle handle, Gdk::XTaskQueuePort port, std::uint32_t timeoutMs)
{
    return WithState([&](SimState& state) -> std::optional<std::uint64_t> {
        ++state.runtime.dispatches.calls;
        Call call(state, "XTaskQueueDispatch",
                  {{"port", port == Gdk::XTaskQueuePort::Completion ? "Completion" : "Work"}, {"timeoutMs", timeoutMs}});
        call.JournalOnlyMisuse();
        TaskQueue* queue = call.Admitted() ? call.Queue(handle) : nullptr;
        if (queue == nullptr ||
            !call.Requires(port == Gdk::XTaskQueuePort::Completion,
                           "the work port runs on the runtime's thread pool: only the completion port is dispatched") ||
            !call.Requires(queue->termination != Termination::Finished, "dispatch after the queue's termination finished")) {
            return std::nullopt;
        }
        queue->dispatchers.insert(std::this_thread::get_id());
        return queue->number;
    });
}

// A dispatch with no wait on a port with nothing waiting, the common frame: answered after the checks
// a refused dispatch would fail, without building its journal entry or waiting. Nothing when the
// dispatch needs the full path.
std::optional<bool> DispatchOfAnEmptyPort(Gdk::XTaskQueueHandle handle, Gdk::XTaskQueuePort port, std::uint32_t timeoutMs)
{
    if (timeoutMs != 0 || port != Gdk::XTaskQueuePort::Completion) {
        return std::nullopt;
    }
    return WithState([&](SimState& state) -> std::optional<bool> {
        std::shared_ptr<TaskQueue>* queue = state.runtime.initCount > 0 ? state.runtime.queues.Find(handle) : nullptr;
        if (queue == nullptr || (*queue)->termination == Termination::Finished || !(*queue)->completions.empty()) {
            return std::nullopt;
        }
        ++state.runtime.dispatches.calls;
        (*queue)->dispatchers.insert(std::this_thread::get_id());
        return false;
    });
}

// An item taken off the port, with its queue kept alive for the length of its callback.
struct Taken {
    std::shared_ptr<TaskQueue> queue; // null: the queue went away while waiting
    PortItem item;
};

// The next item whose callback is still wanted, journalled as delivered; nothing when the port is
// empty; a Taken without a queue when there is nothing to wait for any more.
std::optional<Taken> TakeItem(SimState& state, std::uint64_t number)
{
    Runtime& runtime = state.runtime;
    std::shared_ptr<TaskQueue>* queue = runtime.queues.FindNumber(number);
    if (runtime.initCount == 0 || queue == nullptr || (*queue)->termination == Termination::Finished) {
        return Taken{};
    }
    while (!(*queue)->completions.empty()) {
        PortItem item = std::move((*queue)->completions.front());
        (*queue)->completions.pop_front();
        nlohmann::json entry = std::move(item.entry);
        entry["fn"] = "XTaskQueueDispatch";
        entry["queue"] = number;
        const bool wanted = !item.begin || item.begin(state);
        entry[wanted ? "result" : "skipped"] = true;
        runtime.journal.Add(std::move(entry));
        if (wanted) {
            ++runtime.dispatches.delivered;
            ++(*queue)->delivered;
            return Taken{*queue, std::move(item)};
        }
    }
    return std::nullopt;
}

void Deliver(Taken& taken)
{
    if (taken.item.call) {
        taken.item.call();
    }
    if (taken.item.after) {
        WithState([&](SimState& state) { taken.item.after(state, *taken.queue); });
    }
}

} // namespace

extern "C" bool XTaskQueueDispatch(Gdk::XTaskQueueHandle queue, Gdk::XTaskQueuePort port, std::uint32_t timeoutInMs)
{
    if (const std::optional<bool> empty = DispatchOfAnEmptyPort(queue, port, timeoutInMs)) {
        return *empty;
    }
    const std::optional<std::uint64_t> number = BeginDispatch(queue, port, timeoutInMs);
    if (!number) {
        return false;
    }
    const Deadline deadline =
        timeoutInMs == kInfinite ? Deadline() : Deadline(Clock::now() + std::chrono::milliseconds(timeoutInMs));
    std::optional<Taken> taken =
        AwaitState([&] { return InspectState([&](SimState& state) { return TakeItem(state, *number); }); }, deadline);
    if (!taken || taken->queue == nullptr) {
        return false;
    }
    Deliver(*taken);
    return true;
}
