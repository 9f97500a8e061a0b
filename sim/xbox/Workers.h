#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace Vyro::XboxSim {

// The runtime's own worker threads, where the work of asynchronous calls runs. A thread is started
// when a job finds none idle (work that is delayed or held keeps its thread), never at static
// initialisation; threads are stopped and joined only by Stop, never from a destructor (joining at
// static destruction or under the loader's lock can deadlock), so this object is never destroyed.
// Jobs run no game code, but for the invites the runtime delivers from its own threads ("invite" with
// "holdMs"), as a system doing so would.
class Workers {
public:
    static Workers& Instance();

    // Queues a job; may be called with the simulator's lock held.
    void Submit(std::function<void()> job);
    // Sleeps a job for `duration`; false when the workers are being stopped, and the job must end.
    bool Pause(std::chrono::milliseconds duration);
    // Interrupts every pause, drops the jobs not started and joins every thread; how many there
    // were. Called with no lock of the simulator held, never from a job.
    std::size_t Stop();
    std::size_t Count();

private:
    Workers() = default;
    void Run();

    std::mutex mutex_;
    std::condition_variable jobsReady_;
    std::condition_variable stopping_;
    std::deque<std::function<void()>> jobs_;
    std::vector<std::thread> threads_;
    std::size_t idle_ = 0;
    bool stop_ = false;
};

} // namespace Vyro::XboxSim
