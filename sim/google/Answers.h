#pragma once

// The path every asynchronous export takes: decide the result under the lock and journal it, then
// hand it to the game's completion with no lock held.
#include <optional>
#include <utility>

#include <nlohmann/json.hpp>

#include "CompletionThread.h"
#include "Records.h"
#include "SimState.h"

namespace Vyro::PlayGamesSim {

// What one call owes the game: the result for its completion (none: the completion is never
// called), and how it is delivered.
struct Answer {
    std::optional<SimResult> result;
    Timing timing;
};

// Journals a call whose completion is null, which the runtime cannot answer; true when it was.
bool RefuseNullCompletion(const char* function, bool completionIsNull);

// Decides one call: `decide(runtime, entry)` gives the result and adds its own members to the
// journal entry, which then gets the result's "code" and "message" (both null when withheld).
template <typename Decide>
Answer DecideCall(const char* function, void* context, Decide decide)
{
    return WithState([&](SimState& state) {
        Runtime& runtime = state.runtime;
        nlohmann::json entry{{"fn", function}};
        std::optional<SimResult> result = decide(runtime, entry);
        entry["code"] = result ? nlohmann::json(result->code) : nlohmann::json();
        entry["message"] = result && result->message ? nlohmann::json(*result->message) : nlohmann::json();
        if (!result) {
            state.withheld.push_back(context);
        }
        runtime.journal.Add(std::move(entry));
        return Answer{std::move(result), runtime.settings.timing};
    });
}

// Delivers the answer: `call(resultRecord)` calls the completion with the records it builds from
// the data it captured.
template <typename Call>
void Send(Answer answer, Call call)
{
    if (!answer.result) {
        return;
    }
    Deliver(answer.timing, [result = std::move(*answer.result), call = std::move(call)] {
        const PlayGames::Result record = ResultRecord(result);
        call(record);
    });
}

} // namespace Vyro::PlayGamesSim
