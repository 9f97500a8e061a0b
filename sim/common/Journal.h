#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ControlFields.h"
#include "ControlReply.h"

namespace Vyro::Sim {

// Every call the game made into the runtime, in order, as one object each: "fn" (the export's
// name), its arguments by name, and what it returned or why it refused.
class Journal {
public:
    void Add(nlohmann::json entry) { entries_.push_back(std::move(entry)); }
    // The entries, or only those of one function.
    nlohmann::json Calls(const std::optional<std::string>& function) const;
    void Clear() { entries_.clear(); }

private:
    std::vector<nlohmann::json> entries_;
};

// A C string argument or result as the journal shows it: null stays null.
inline nlohmann::json JournalText(const char* text) { return text == nullptr ? nlohmann::json() : nlohmann::json(text); }

// The "journal" op: {"fn", "clear"} in, {"ok":true,"count":N,"calls":[...]} out. `withJournal(read)`
// calls `read(journal)` with the simulator's lock held.
template <typename WithJournal>
nlohmann::json AnswerJournalRequest(const nlohmann::json& request, WithJournal withJournal)
{
    ControlFields fields(request, "journal", {"fn", "clear"});
    const auto function = fields.String("fn");
    const bool clear = fields.Bool("clear").value_or(false);
    if (fields.Failed()) {
        return Refusal(fields.Error());
    }
    return withJournal([&](Journal& journal) {
        nlohmann::json calls = journal.Calls(function);
        if (clear) {
            journal.Clear();
        }
        return Success({{"count", calls.size()}, {"calls", std::move(calls)}});
    });
}

} // namespace Vyro::Sim
