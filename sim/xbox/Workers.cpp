#include "Workers.h"

#include <utility>

namespace Vyro::XboxSim {

Workers& Workers::Instance()
{
    static Workers* const instance = new Workers;
    return *instance;
}

void Workers::Submit(std::function<void()> job)
{
    const std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
    if (idle_ == 0 && !stop_) {
        threads_.emplace_back([this] { Run(); });
    }
    jobsReady_.notify_one();
}

bool Workers::Pause(std::chrono::milliseconds duration)
{
    std::unique_lock lock(mutex_);
    return !stopping_.wait_for(lock, duration, [&] { return stop_; });
}

std::size_t Workers::Stop()
{
    std::vector<std::thread> joining;
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
        jobs_.clear();
        joining = std::exchange(threads_, {});
    }
    jobsReady_.notify_all();
    stopping_.notify_all();
    for (std::thread& thread : joining) {
        thread.join();
    }
    const std::lock_guard lock(mutex_);
    stop_ = false;
    // A job submitted while the threads were being stopped still gets a thread.
    if (!jobs_.empty()) {
        threads_.emplace_back([this] { Run(); });
    }
    return joining.size();
}

std::size_t Workers::Count()
{
    const std::lock_guard lock(mutex_);
    return threads_.size();
}

void Workers::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        jobsReady_.wait(lock, [&] { return stop_ || !jobs_.empty(); });
        --idle_;
        if (stop_) {
            return;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
}

} // namespace Vyro::XboxSim
