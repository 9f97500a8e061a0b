#include "CompletionThread.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace Vyro::PlayGamesSim {

namespace {

using Clock = std::chrono::steady_clock;

// Runs the delivery and then destroys it with the data it owns, before the caller counts it done.
void RunDelivery(std::function<void()> delivery)
{
    try {
        delivery();
    } catch (...) {
        // Game code threw through a C completion; the thread stays to deliver the rest.
    }
}

// One thread of the runtime's own, started with the first delivery and never stopped or joined:
// it waits idle for the life of the process (joining it from a static destructor or the loader's
// detach could deadlock), and this object is never destroyed for the same reason.
class CompletionThread {
public:
    static CompletionThread& Instance()
    {
        static CompletionThread* const instance = new CompletionThread;
        return *instance;
    }

    void Add(Clock::time_point due, std::function<void()> delivery)
    {
        const std::lock_guard lock(mutex_);
        StartOnce();
        // Deliveries due at the same moment stay in the order they were added.
        queued_.emplace(due, std::move(delivery));
        changed_.notify_all();
    }

    std::size_t Drain(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return PendingLocked() == 0; });
        return PendingLocked();
    }

    std::size_t Pending()
    {
        const std::lock_guard lock(mutex_);
        return PendingLocked();
    }

    bool IsCurrent()
    {
        const std::lock_guard lock(mutex_);
        return thread_ == std::this_thread::get_id();
    }

private:
    CompletionThread() = default;

    std::size_t PendingLocked() const { return queued_.size() + running_; }

    void StartOnce()
    {
        if (!thread_) {
            std::thread thread([this] { Run(); });
            thread_ = thread.get_id();
            thread.detach();
        }
    }

    void Run()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (queued_.empty()) {
                changed_.wait(lock);
                continue;
            }
            const auto next = queued_.begin();
            if (next->first > Clock::now()) {
                changed_.wait_until(lock, next->first);
                continue;
            }
            std::function<void()> delivery = std::move(next->second);
            queued_.erase(next);
            ++running_;
            lock.unlock();
            RunDelivery(std::move(delivery));
            lock.lock();
            --running_;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::multimap<Clock::time_point, std::function<void()>> queued_;
    std::size_t running_ = 0;
    std::optional<std::thread::id> thread_;
};

} // namespace

void Deliver(const Timing& timing, std::function<void()> delivery)
{
    if (timing.mode == CompletionMode::Thread) {
        CompletionThread::Instance().Add(Clock::now() + timing.delay, std::move(delivery));
        return;
    }
    std::this_thread::sleep_for(timing.delay);
    RunDelivery(std::move(delivery));
}

std::size_t DrainCompletions(std::chrono::milliseconds timeout) { return CompletionThread::Instance().Drain(timeout); }

std::size_t PendingCompletions() { return CompletionThread::Instance().Pending(); }

bool OnCompletionThread() { return CompletionThread::Instance().IsCurrent(); }

} // namespace Vyro::PlayGamesSim
