#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include <fmt/format.h>

namespace Vyro {

// Plain ints in a namespace: the host passes levels as int, and upper-case names clash with
// Windows macros.
namespace LogLevel {
enum : int { Trace = 0, Debug = 1, Info = 2, Warning = 3, Error = 4 };
}

using LogHandlerFn = void (*)(int level, const char* line);

// The one process-wide sink: every line goes to standard output and to the host's handler.
class Logger {
public:
    Logger() = default;

    void Log(int level, std::string_view message);
    void SetHandler(LogHandlerFn handler, int level);
    bool Enabled(int level) const { return level >= minLevel_.load(std::memory_order_relaxed); }

    static const char* LevelName(int level);
    // "[VyroChannel][HH:MM:SS] [LEVEL] message" for the current local time.
    static std::string FormatLine(int level, std::string_view message);

private:
    LogHandlerFn handler_ = nullptr;
    // Read on every Log without the mutex; atomic so that a concurrent SetHandler is not a data race.
    std::atomic<int> minLevel_{0};
    std::mutex mutex_;
};

// The process-wide logger, usable at any time, including during the library's shutdown.
Logger& GlobalLogger();

inline void Log(int level, std::string_view message) { GlobalLogger().Log(level, message); }

void Log(int level, const std::wstring& message);

// Formats only when the level passes, so disabled lines cost one atomic load.
template <typename... Args>
void Log(int level, fmt::format_string<Args...> format, Args&&... args)
{
    if (!GlobalLogger().Enabled(level)) {
        return;
    }
    GlobalLogger().Log(level, fmt::format(format, std::forward<Args>(args)...));
}

} // namespace Vyro
