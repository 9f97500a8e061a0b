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

// What one call owes the game: the result for its completion (none: the completion is not called),
// and how it is delivered.
struct Answer {
    std::optional<SimResult> result;
    Timing timing;
};

// Journals a call that came with a null completion: there is nothing to answer through, so the
// request is not carried out.
void JournalNullCompletion(const char* function);

// Decides one call: `decide(runtime, entry)` gives the result and adds its own members to the
// journal entry, which then gets the result's "code" and "message". A decision of no result
// withholds the completion for good (both null in the journal); its context is kept.
template <typename Completion, typename Decide>
Answer DecideCall(const char* function, void* context, Completion* completion, Decide decide)
{
    if (completion == nullptr) {
        JournalNullCompletion(function);
        return {};
    }
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

// Delivers the answer of a request with a value: the completion gets the `Records` built from the
// value, or null when there is none (a failure).
template <typename Records, typename Completion, typename Value>
void SendWithRecords(Answer answer, Completion* completion, void* context, std::optional<Value> value)
{
    Send(std::move(answer), [=, value = std::move(value)](const PlayGames::Result& result) {
        if (!value) {
            return completion(context, &result, nullptr);
        }
        const Records records(*value);
        completion(context, &result, records.Get());
    });
}

} // namespace Vyro::PlayGamesSim
