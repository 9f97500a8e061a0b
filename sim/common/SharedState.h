#pragma once

#include <mutex>

namespace Vyro::Sim {

// A simulator's process-wide state behind one lock. Made at first use and never destroyed: threads
// of a simulator, or of the game, may still reach it while the process exits.
template <typename State>
class SharedState {
public:
    static SharedState& Instance()
    {
        static SharedState* const instance = new SharedState;
        return *instance;
    }

    // Runs `use` on the state with the lock held.
    template <typename Use>
    auto With(Use&& use)
    {
        const std::lock_guard lock(mutex_);
        return use(state_);
    }

private:
    SharedState() = default;

    std::mutex mutex_;
    State state_;
};

} // namespace Vyro::Sim
