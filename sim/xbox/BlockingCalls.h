#pragma once

// Calls that may wait for another thread (XAsyncGetStatus, XTaskQueueTerminate and the event
// unregistrations with `wait`): checked and journalled under the lock like any call, then, when they
// have to wait, waiting with no lock held. The real runtime would wait for ever for something that
// never comes; the simulator gives up after the "waitLimitMs" setting and journals it as misuse, so
// that a test never hangs.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "Calls.h"
#include "HResults.h"
#include "SimState.h"

namespace Vyro::XboxSim {

// How a blocking call goes on once its lock is released: with its answer, or waiting, its journal
// entry taken from the call so that it is added once the wait is over.
template <typename Answer>
struct Blocking {
    Answer answer{};
    std::optional<nlohmann::json> waitingEntry;
    std::uint32_t limitMs = 0;
};

template <typename Answer>
Blocking<Answer> Answered(Answer answer)
{
    return {answer, std::nullopt, 0};
}

// The call waits, up to the "waitLimitMs" setting; its entry is journalled after the wait.
template <typename Answer>
Blocking<Answer> Waits(Call& call)
{
    return {Answer{}, call.TakeEntry(), call.Rt().settings.waitLimitMs};
}

inline nlohmann::json ResultMember(HResult result) { return HResultText(result); }
inline nlohmann::json ResultMember(bool result) { return result; }

// Waits until `ready(state)` (under the lock) gives the answer, or the limit passes; then the answer
// is `ready`'s, or `fallback(state)`'s when it gave up. Journals the call with its answer.
template <typename Answer, typename Ready, typename Fallback>
Answer FinishBlocking(Blocking<Answer> blocking, Ready ready, Fallback fallback)
{
    if (!blocking.waitingEntry) {
        return blocking.answer;
    }
    const Deadline deadline = Clock::now() + std::chrono::milliseconds(blocking.limitMs);
    const std::optional<Answer> answer = AwaitState([&] { return InspectState(ready); }, deadline);
    nlohmann::json entry = std::move(*blocking.waitingEntry);
    return WithState([&](SimState& state) {
        const Answer given = answer ? *answer : fallback(state);
        if (!answer) {
            entry["misuse"] = "waited " + std::to_string(blocking.limitMs) +
                              " ms for something no other thread brought: the real runtime would still be waiting";
        }
        entry["result"] = ResultMember(given);
        state.runtime.journal.Add(std::move(entry));
        return given;
    });
}

} // namespace Vyro::XboxSim
