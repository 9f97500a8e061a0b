#include "StateChanges.h"

namespace Vyro::XboxSim {

StateChanges& StateChanges::Instance()
{
    static StateChanges* const instance = new StateChanges;
    return *instance;
}

void StateChanges::Announce()
{
    {
        const std::lock_guard lock(mutex_);
        ++count_;
    }
    changed_.notify_all();
}

std::uint64_t StateChanges::Seen()
{
    const std::lock_guard lock(mutex_);
    return count_;
}

bool StateChanges::WaitPast(std::uint64_t seen, const Deadline& deadline)
{
    std::unique_lock lock(mutex_);
    const auto changed = [&] { return count_ != seen; };
    if (!deadline) {
        changed_.wait(lock, changed);
        return true;
    }
    return changed_.wait_until(lock, *deadline, changed);
}

} // namespace Vyro::XboxSim
