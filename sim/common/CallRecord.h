#pragma once

#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "Journal.h"

namespace Vyro::Sim {

// One call into a simulated runtime as its journal records it: the export's name, its arguments,
// what it returned, and why it broke a rule of the runtime ("misuse"). The entry is added to the
// journal as the record ends, with the simulator's lock still held.
class CallRecord {
public:
    CallRecord(Journal& journal, const char* function, nlohmann::json arguments);
    ~CallRecord();
    CallRecord(const CallRecord&) = delete;
    CallRecord& operator=(const CallRecord&) = delete;

    const char* Function() const { return function_; }
    nlohmann::json& Entry() { return entry_; }

    // Records why the call broke a rule; the first reason is kept.
    void Misuse(const std::string& why);
    bool HasMisuse() const { return entry_.contains("misuse"); }
    // Whether `condition` holds; when it does not, the call is misuse for the reason `why`.
    bool Requires(bool condition, const std::string& why);
    // The call is journalled only if it turns out to be misuse (a pump that delivers nothing).
    void JournalOnlyMisuse() { onlyMisuse_ = true; }
    // The entry, no longer added as the record ends: a call that blocks adds it once it has waited.
    nlohmann::json TakeEntry();

private:
    Journal& journal_;
    const char* function_;
    nlohmann::json entry_;
    bool onlyMisuse_ = false;
    bool taken_ = false;
};

// A call record of a simulator whose process-wide state `SimState` keeps its journal in `runtime`:
// the call checks and changes that state, under the simulator's lock.
template <typename SimState>
class StateCallRecord : public CallRecord {
public:
    StateCallRecord(SimState& state, const char* function, nlohmann::json arguments)
        : CallRecord(state.runtime.journal, function, std::move(arguments)), state_(state)
    {
    }

    SimState& State() { return state_; }
    auto& Rt() { return state_.runtime; }

private:
    SimState& state_;
};

} // namespace Vyro::Sim
