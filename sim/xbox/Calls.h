#pragma once

// The path every journalled export takes: with the lock held, the call is checked against the
// runtime's rules and answered, and its journal entry is added as it ends.
#include <cstdint>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "CallRecord.h"
#include "HResults.h"
#include "SimState.h"

namespace Vyro::XboxSim {

class Call : public Sim::StateCallRecord<SimState> {
public:
    using StateCallRecord::StateCallRecord;

    // Whether the runtime is initialised; every call but XGameRuntimeInitialize needs it (misuse).
    bool Admitted();

    // Journals what the call returns.
    HResult Returns(HResult result);
    template <typename Value>
    Value ReturnsValue(Value value)
    {
        Entry()["result"] = value;
        return value;
    }

    // The open queue behind a handle, journalled by number as "queue"; null when it is not one
    // (misuse).
    TaskQueue* Queue(Gdk::XTaskQueueHandle handle);
    // The queue an event or a call is submitted to: null when there is none or it is not open
    // (misuse, with the HRESULT to return in `refusal`), or when it is terminated (E_ABORT, as the
    // runtime refuses any new item on such a queue).
    TaskQueue* SubmissionQueue(Gdk::XTaskQueueHandle handle, HResult& refusal);
    // Whether the handle is an open user handle, journalled as "user" (else misuse).
    bool User(Gdk::XUserHandle user);

    // Opens the handle of `number` in `table` with `record`, hands it out through `out` and journals
    // the number as `member`; S_OK.
    template <typename Handle, typename Record>
    HResult HandsOut(HandleTable<Record>& table, std::uint64_t number, Record record, Handle* out, const char* member)
    {
        table.Add(number, std::move(record));
        *out = HandleOf<Handle>(number);
        Entry()[member] = number;
        return Returns(Results::kOk);
    }
    // Closes an open handle of `table`; one that is not open is misuse ("unknown or closed <what>").
    template <typename Record>
    void Closes(HandleTable<Record>& table, const void* handle, const std::string& what)
    {
        if (Requires(table.Find(handle) != nullptr, "unknown or closed " + what)) {
            table.Remove(*NumberOf(handle));
        }
    }
};

// Runs `body(call)` for one call of `function` with those arguments, under the lock.
template <typename Body>
auto JournalledCall(const char* function, nlohmann::json arguments, Body body)
{
    return WithState([&](SimState& state) {
        Call call(state, function, std::move(arguments));
        return body(call);
    });
}

// The same for a call that answers an HRESULT and needs the runtime initialised: without it the call
// is misuse and answers E_GAMERUNTIME_NOT_INITIALIZED.
template <typename Body>
HResult RuntimeCall(const char* function, nlohmann::json arguments, Body body)
{
    return JournalledCall(function, std::move(arguments), [&](Call& call) {
        return call.Admitted() ? body(call) : call.Returns(Results::kRuntimeNotInitialized);
    });
}

} // namespace Vyro::XboxSim
