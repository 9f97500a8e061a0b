#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <thread>

#include <nlohmann/json.hpp>

#include "Handles.h"
#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::XboxSim {

struct SimState;
struct TaskQueue;

// The call of a game's callback, owning everything it passes; made under the lock, run without it.
using GameCall = std::function<void()>;

// One callback waiting on a completion port for XTaskQueueDispatch.
struct PortItem {
    // The journal members of its delivery: "delivers" (what it is) and what it carries.
    nlohmann::json entry;
    // Runs under the lock as the item is taken for delivery: false when the callback is no longer
    // wanted (an event whose registration is gone); none: always wanted.
    std::function<bool(SimState& state)> begin;
    GameCall call; // none: nothing of the game's to call
    // Runs under the lock once the callback has returned, with the queue it came from (kept alive
    // even if the callback closed it); none: nothing to do.
    std::function<void(SimState& state, TaskQueue& queue)> after;
    // Events are dropped when their queue is terminated; completions of calls are still delivered.
    bool dropOnTermination = false;
};

enum class Termination { None, Terminating, Finished };

// One task queue: its work port is the simulator's worker threads, its completion port is manual.
struct TaskQueue {
    std::uint64_t number = 0;
    Termination termination = Termination::None;
    bool terminationQueued = false; // the termination's own item is on the completion port
    void* terminationContext = nullptr;
    Gdk::XTaskQueueTerminatedCallback* terminationCallback = nullptr;
    std::deque<PortItem> completions;
    // Threads that have dispatched its completion port: waiting for the queue on one of them would
    // wait for itself.
    std::set<std::thread::id> dispatchers;
    std::uint64_t delivered = 0;
};

// The queues are shared: XTaskQueueDispatch keeps the one it dispatches alive while a callback runs,
// even if the callback terminates and closes it.
using TaskQueues = HandleTable<std::shared_ptr<TaskQueue>>;

inline bool AcceptsWork(const TaskQueue& queue) { return queue.termination == Termination::None; }

// Puts a callback on the queue's completion port.
void Post(TaskQueue& queue, PortItem item);

// Starts the termination: no new work is accepted; work not started yet is cancelled (it completes
// with E_ABORT); queued events are dropped (how many); the termination item follows once no work on
// the queue is running any more.
std::size_t StartTermination(SimState& state, TaskQueue& queue, void* context, Gdk::XTaskQueueTerminatedCallback* callback);
// Queues the termination item behind everything else once the queue is terminating and all of its
// work has finished.
void QueueTerminationWhenIdle(SimState& state, TaskQueue& queue);

} // namespace Vyro::XboxSim
