#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "common/Logger.h"

namespace VyroTest {

// Collects the library's log lines for the duration of a test (the logger is process-wide).
class LogCapture {
public:
    struct Line {
        int level;
        std::string text;
    };

    explicit LogCapture(int minLevel = 0)
    {
        Active() = this;
        Vyro::GlobalLogger().SetHandler(&LogCapture::Handle, minLevel);
    }
    ~LogCapture()
    {
        Vyro::GlobalLogger().SetHandler(nullptr, 0);
        Active() = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<Line> Lines() const
    {
        std::lock_guard lock(mutex_);
        return lines_;
    }

    // The message parts (after "[VyroChannel][hh:mm:ss] [LEVEL] ") of the lines at `level`.
    std::vector<std::string> Messages(int level) const
    {
        std::vector<std::string> messages;
        for (const auto& line : Lines()) {
            if (line.level == level) {
                const auto levelStart = line.text.find("] [") + 3;
                messages.push_back(line.text.substr(line.text.find("] ", levelStart) + 2));
            }
        }
        return messages;
    }

private:
    static LogCapture*& Active()
    {
        static LogCapture* active = nullptr;
        return active;
    }
    static void Handle(int level, const char* line)
    {
        if (LogCapture* capture = Active()) {
            std::lock_guard lock(capture->mutex_);
            capture->lines_.push_back({level, line});
        }
    }

    mutable std::mutex mutex_;
    std::vector<Line> lines_;
};

} // namespace VyroTest
