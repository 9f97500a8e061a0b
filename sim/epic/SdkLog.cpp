#include "SdkLog.h"

#include <utility>
#include <vector>

namespace Vyro::EosSim {

namespace {

struct Admitted {
    Eos::LogMessageFunction* callback = nullptr;
    std::vector<LogLine> lines;
};

bool Passes(const Runtime& runtime, const LogLine& line)
{
    const Logging& logging = runtime.logging;
    return runtime.sdk == SdkState::Initialised && logging.callback != nullptr && logging.threshold != 0 &&
           line.level <= logging.threshold;
}

// Counts the lines and keeps those the game's callback receives.
Admitted Admit(Runtime& runtime, std::vector<LogLine> lines)
{
    Admitted admitted{runtime.logging.callback, {}};
    for (LogLine& line : lines) {
        if (Passes(runtime, line)) {
            ++runtime.logging.delivered;
            admitted.lines.push_back(std::move(line));
        } else {
            ++runtime.logging.filtered;
        }
    }
    return admitted;
}

void Send(const Admitted& admitted)
{
    for (const LogLine& line : admitted.lines) {
        const Eos::LogMessage message{PointerOf(line.category), PointerOf(line.message), line.level};
        admitted.callback(&message);
    }
}

} // namespace

void QueueSdkLog(Runtime& runtime, Eos::LogLevel level, const char* category, std::string message)
{
    if (runtime.settings.sdkLogging) {
        runtime.logging.queued.push_back({level, category, std::move(message)});
    }
}

void DeliverQueuedLog()
{
    Send(WithState([](SimState& state) { return Admit(state.runtime, std::exchange(state.runtime.logging.queued, {})); }));
}

std::size_t EmitLog(const LogLine& line, std::size_t count)
{
    std::size_t delivered = 0;
    for (std::size_t i = 0; i < count; ++i) {
        // One at a time: the game may change the callback or the threshold between two messages.
        const Admitted admitted = WithState([&](SimState& state) { return Admit(state.runtime, {line}); });
        Send(admitted);
        delivered += admitted.lines.size();
    }
    return delivered;
}

} // namespace Vyro::EosSim
