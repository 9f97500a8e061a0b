#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace Vyro::XboxSim {

using Clock = std::chrono::steady_clock;
// When a blocking call gives up waiting; none: it waits as long as it takes.
using Deadline = std::optional<Clock::time_point>;

// Wakes the threads that wait, with no lock of the simulator held, for its state to change (an item
// on a completion port, an operation completing, a termination finishing). Every change of the state
// is announced; a waiter notes the count of changes before it looks at the state, so a change made
// between its look and its wait is never missed. Never destroyed: waiters may still be here at exit.
class StateChanges {
public:
    static StateChanges& Instance();

    void Announce();
    std::uint64_t Seen();
    // Waits until a change after `seen` is announced; false once `deadline` has passed.
    bool WaitPast(std::uint64_t seen, const Deadline& deadline);

private:
    StateChanges() = default;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t count_ = 0;
};

// Runs `check()` (which reads the state under its lock and gives something or nothing) until it
// gives something or `deadline` has passed; the last check's answer.
template <typename Check>
auto AwaitState(Check check, const Deadline& deadline) -> decltype(check())
{
    for (;;) {
        const std::uint64_t seen = StateChanges::Instance().Seen();
        auto answer = check();
        if (answer || !StateChanges::Instance().WaitPast(seen, deadline)) {
            return answer ? std::move(answer) : check();
        }
    }
}

} // namespace Vyro::XboxSim
