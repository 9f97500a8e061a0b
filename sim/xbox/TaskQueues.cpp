#include "TaskQueues.h"

#include <algorithm>

#include "AsyncCalls.h"
#include "SimState.h"

namespace Vyro::XboxSim {

namespace {

// Last on the completion port: its dispatch calls the termination callback and ends the termination.
PortItem TerminationItem(const TaskQueue& queue)
{
    PortItem item;
    item.entry = {{"delivers", "XTaskQueueTerminated"}, {"callback", queue.terminationCallback != nullptr}};
    if (queue.terminationCallback != nullptr) {
        item.call = [callback = queue.terminationCallback, context = queue.terminationContext] { callback(context); };
    }
    item.after = [](SimState&, TaskQueue& terminated) { terminated.termination = Termination::Finished; };
    return item;
}

} // namespace

void Post(TaskQueue& queue, PortItem item) { queue.completions.push_back(std::move(item)); }

std::size_t StartTermination(SimState& state, TaskQueue& queue, void* context, Gdk::XTaskQueueTerminatedCallback* callback)
{
    queue.termination = Termination::Terminating;
    queue.terminationContext = context;
    queue.terminationCallback = callback;
    const auto dropped = std::erase_if(queue.completions, [](const PortItem& item) { return item.dropOnTermination; });
    CancelQueuedWork(state, queue.number);
    QueueTerminationWhenIdle(state, queue);
    return dropped;
}

void QueueTerminationWhenIdle(SimState& state, TaskQueue& queue)
{
    if (queue.termination != Termination::Terminating || queue.terminationQueued ||
        state.runtime.operations.UnfinishedOn(queue.number) > 0) {
        return;
    }
    queue.terminationQueued = true;
    Post(queue, TerminationItem(queue));
}

} // namespace Vyro::XboxSim
