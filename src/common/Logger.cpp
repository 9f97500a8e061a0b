#include "common/Logger.h"

#include <cstdio>
#include <ctime>

#include "common/NeverDestroyed.h"
#include "common/Platform.h"

namespace Vyro {

namespace {
std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}
} // namespace

Logger& GlobalLogger()
{
    // Built on first use in static storage and never destroyed, so that code running during any
    // other static initialisation or destruction can log, and unloading the library leaves no heap
    // block behind. (std::mutex is not constexpr with every threads runtime, which rules out
    // constant initialisation.)
    return NeverDestroyed<Logger>();
}

const char* Logger::LevelName(int level)
{
    switch (level) {
    case LogLevel::Trace: return "TRACE";
    case LogLevel::Debug: return "DEBUG";
    case LogLevel::Info: return "INFO";
    case LogLevel::Warning: return "WARNING";
    case LogLevel::Error: return "ERROR";
    default: return "UNKNOWN";
    }
}

std::string Logger::FormatLine(int level, std::string_view message)
{
    const std::tm local = LocalTimeNow();
    return fmt::format("[VyroChannel][{:02}:{:02}:{:02}] [{}] {}", local.tm_hour, local.tm_min, local.tm_sec,
                       LevelName(level), message);
}

void Logger::Log(int level, std::string_view message)
{
    if (!Enabled(level)) {
        return;
    }
    const std::string line = FormatLine(level, message);
    LogHandlerFn handler = nullptr;
    {
        std::lock_guard lock(mutex_);
        handler = handler_;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    // Outside the lock: a handler may replace itself through SetHandler.
    if (handler != nullptr) {
        handler(level, line.c_str());
    }
}

void Logger::SetHandler(LogHandlerFn handler, int level)
{
    std::lock_guard lock(mutex_);
    handler_ = handler;
    minLevel_.store(level, std::memory_order_relaxed);
}

void Log(int level, const std::wstring& message)
{
    if (GlobalLogger().Enabled(level)) {
        GlobalLogger().Log(level, Platform::WideToUtf8(message));
    }
}

} // namespace Vyro
