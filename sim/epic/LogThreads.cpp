#include "LogThreads.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "SdkLog.h"

namespace Vyro::EosSim {

namespace {

// Behind a lock of its own, not the SDK's: joining happens with no lock held, while the threads
// still take the SDK's lock for every message. Never destroyed, so that a thread still running at
// exit is not destroyed joinable.
class LogThreadList {
public:
    static LogThreadList& Instance()
    {
        static LogThreadList* const instance = new LogThreadList;
        return *instance;
    }

    void Start(std::size_t threads, std::size_t messages, const LogLine& line)
    {
        const std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < threads; ++i) {
            threads_.emplace_back([line, messages] { EmitLog(line, messages); });
        }
    }

    std::optional<std::size_t> Join()
    {
        std::vector<std::thread> joining;
        {
            const std::lock_guard lock(mutex_);
            const auto self = std::this_thread::get_id();
            if (std::any_of(threads_.begin(), threads_.end(), [&](const std::thread& thread) { return thread.get_id() == self; })) {
                return std::nullopt;
            }
            joining = std::exchange(threads_, {});
        }
        for (std::thread& thread : joining) {
            thread.join();
        }
        return joining.size();
    }

    std::size_t Count()
    {
        const std::lock_guard lock(mutex_);
        return threads_.size();
    }

private:
    LogThreadList() = default;

    std::mutex mutex_;
    std::vector<std::thread> threads_;
};

} // namespace

void StartLogThreads(std::size_t threads, std::size_t messages, const LogLine& line)
{
    LogThreadList::Instance().Start(threads, messages, line);
}

std::optional<std::size_t> JoinLogThreads() { return LogThreadList::Instance().Join(); }

std::size_t LogThreadCount() { return LogThreadList::Instance().Count(); }

} // namespace Vyro::EosSim
