// Results and account ids. The result helpers and EOS_EpicAccountId_IsValid are called for nearly
// every message a game logs, so they are counted, not journalled (unless misused).
#include <cstring>

#include "Calls.h"
#include "Completion.h"
#include "EosSim.h"

using namespace Vyro::EosSim;
namespace Eos = Vyro::Eos;

namespace {

void Count(Runtime& runtime, const char* function) { ++runtime.helperCalls[function]; }

Eos::EResult WriteAccountId(Call& call, Eos::EpicAccountId accountId, char* outBuffer, std::int32_t* inOutBufferLength)
{
    if (!call.Admitted(Needs::Nothing)) {
        return Results::kNotConfigured;
    }
    if (!call.Requires(outBuffer != nullptr && inOutBufferLength != nullptr, "null OutBuffer or InOutBufferLength")) {
        return Results::kInvalidParameters;
    }
    if (!call.KnownAccount(accountId, "AccountId")) {
        return Results::kInvalidUser;
    }
    const Eos::EResult programmed = call.Rt().settings.accountIdToStringResult;
    if (programmed != Results::kSuccess) {
        return programmed;
    }
    const bool fits = *inOutBufferLength >= Eos::kEpicAccountIdBufferLength;
    // Both ways the caller learns the length the id needs, terminator included.
    *inOutBufferLength = Eos::kEpicAccountIdBufferLength;
    if (!fits) {
        return Results::kLimitExceeded;
    }
    std::memcpy(outBuffer, kAccountIdText, Eos::kEpicAccountIdBufferLength);
    return Results::kSuccess;
}

} // namespace

extern "C" {

const char* EOS_EResult_ToString(Eos::EResult result)
{
    WithState([](SimState& state) { Count(state.runtime, "EOS_EResult_ToString"); });
    return ResultName(result);
}

Eos::Bool EOS_EResult_IsOperationComplete(Eos::EResult result)
{
    return WithState([&](SimState& state) {
        Count(state.runtime, "EOS_EResult_IsOperationComplete");
        return IsComplete(state.runtime, result) ? Eos::kTrue : Eos::kFalse;
    });
}

Eos::Bool EOS_EpicAccountId_IsValid(Eos::EpicAccountId accountId)
{
    return JournalledCall("EOS_EpicAccountId_IsValid", {{"accountId", DescribeAccountId(accountId)}}, [&](Call& call) {
        call.JournalOnlyMisuse();
        Count(call.Rt(), "EOS_EpicAccountId_IsValid");
        const bool valid = call.Admitted(Needs::Nothing) && accountId == AccountHandle();
        return call.Returns(valid ? Eos::kTrue : Eos::kFalse);
    });
}

Eos::EResult EOS_EpicAccountId_ToString(Eos::EpicAccountId accountId, char* outBuffer, std::int32_t* inOutBufferLength)
{
    const nlohmann::json arguments{{"accountId", DescribeAccountId(accountId)},
                                   {"bufferLength", inOutBufferLength == nullptr ? nlohmann::json() : nlohmann::json(*inOutBufferLength)}};
    return JournalledCall("EOS_EpicAccountId_ToString", arguments, [&](Call& call) {
        return call.Returns(WriteAccountId(call, accountId, outBuffer, inOutBufferLength));
    });
}

} // extern "C"
