#pragma once

// The path every journalled export takes: with the lock held, the call is checked against the SDK's
// rules and answered, and its journal entry is added as it ends; then the SDK's own log lines it
// produced go to the log callback with no lock held.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "CallRecord.h"
#include "OptionRecords.h"
#include "SdkLog.h"
#include "SimState.h"

namespace Vyro::EosSim {

// What a call needs of the SDK's lifecycle besides not coming after EOS_Shutdown.
enum class Needs { Nothing, Initialised };

class Call : public Sim::StateCallRecord<SimState> {
public:
    using StateCallRecord::StateCallRecord;

    // Whether the SDK takes the call: none after EOS_Shutdown, and before EOS_Initialize only those
    // that need nothing. A refusal is misuse.
    bool Admitted(Needs needs);
    // The live platform behind a handle, journalled by number as "platform", "auth" or "ecom"
    // (null when not live, which is misuse).
    Platform* Resolve(Eos::HPlatform handle);
    Platform* Resolve(Eos::HAuth handle);
    Platform* Resolve(Eos::HEcom handle);
    // Journals the record as "options"; whether it is one of `apiVersion` (else misuse).
    template <typename Options>
    bool Accepts(const Options* options, std::int32_t apiVersion)
    {
        Entry()["options"] = DescribeOptions(options);
        return AcceptsVersion(options == nullptr ? nullptr : &options->apiVersion, apiVersion, "options");
    }
    bool AcceptsVersion(const std::int32_t* givenVersion, std::int32_t apiVersion, const char* record);
    // Whether the account id argument named `member` is one the SDK handed out (else misuse).
    bool KnownAccount(Eos::EpicAccountId accountId, const char* member);
    // Whether there is a completion to answer through (else misuse).
    bool HasCompletion(bool present);

    // Journals what the call returns.
    template <typename Value>
    Value Returns(Value value)
    {
        Entry()["result"] = value;
        return value;
    }

    // Queues the completion of an accepted asynchronous call, journalling the results it will get.
    void Queue(Platform& platform, void* clientData, ResultSequence results, Settle settle, bool held = false);
};

// Delivers the SDK's own log lines of a call once its lock is released.
struct QueuedLogFlush {
    QueuedLogFlush() = default;
    QueuedLogFlush(const QueuedLogFlush&) = delete;
    QueuedLogFlush& operator=(const QueuedLogFlush&) = delete;
    ~QueuedLogFlush() { DeliverQueuedLog(); }
};

// Runs `body(call)` for one call of `function` with those arguments, under the lock.
template <typename Body>
auto JournalledCall(const char* function, nlohmann::json arguments, Body body)
{
    const QueuedLogFlush flush;
    return WithState([&](SimState& state) {
        Call call(state, function, std::move(arguments));
        return body(call);
    });
}

// How an accepted asynchronous call will complete.
struct AsyncStart {
    ResultSequence results;
    bool held = false;
};

// Starts an asynchronous call on an interface of a platform. It is never completed when the SDK
// does not take it, the handle is not live or the completion is null (there is no Tick, or nothing,
// to deliver it through). Otherwise `decide(call)` checks its options: nothing means it broke a
// rule and completes with EOS_InvalidParameters. `settle` makes every delivery; it applies its
// effects only for a success, so it serves a refused call too.
template <typename Handle, typename Completion, typename Decide>
void StartAsync(const char* function, Handle handle, void* clientData, Completion* completion, Settle settle, Decide decide)
{
    JournalledCall(function, {{"clientData", DescribeClientData(clientData)}}, [&](Call& call) {
        Platform* platform = call.Admitted(Needs::Initialised) ? call.Resolve(handle) : nullptr;
        if (platform == nullptr || !call.HasCompletion(completion != nullptr)) {
            return;
        }
        std::optional<AsyncStart> start = decide(call);
        if (!start) {
            start = AsyncStart{{Results::kInvalidParameters}};
        }
        call.Queue(*platform, clientData, std::move(start->results), std::move(settle), start->held);
    });
}

} // namespace Vyro::EosSim
