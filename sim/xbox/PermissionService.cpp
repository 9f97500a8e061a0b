// The batch permission check: one result per target (each xuid, then each anonymous user type) and
// permission, answered by the first matching rule of the "permissions" control (none: allowed), laid
// out in the caller's buffer with every deny-reason list pointing into the same buffer.
#include <vector>

#include "AsyncCalls.h"
#include "ResultArena.h"
#include "ServicesCalls.h"
#include "StoreCalls.h"

namespace Vyro::XboxSim {

namespace {

constexpr char kBatchCheck[] = "XblPrivacyBatchCheckPermissionAsync";

struct PermissionAnswer {
    std::uint64_t xuid = 0;
    std::uint32_t userType = 0;
    std::uint32_t permission = 0;
    bool allowed = true;
    std::vector<SimDenyReason> reasons;
};

using PermissionAnswers = std::vector<PermissionAnswer>;

// What the game asked, copied at the start: the service reads nothing of the caller's afterwards.
struct BatchRequest {
    std::vector<std::uint32_t> permissions;
    std::vector<std::uint64_t> xuids;
    std::vector<std::uint32_t> userTypes;
};

bool Matches(const SimPermissionRule& rule, const PermissionAnswer& check, bool anonymous)
{
    if (rule.permission && *rule.permission != check.permission) {
        return false;
    }
    if (anonymous) {
        return !rule.xuid && (!rule.anonymous || *rule.anonymous == check.userType);
    }
    return !rule.anonymous && (!rule.xuid || *rule.xuid == check.xuid);
}

PermissionAnswer Evaluate(const std::vector<SimPermissionRule>& rules, PermissionAnswer check, bool anonymous)
{
    for (const SimPermissionRule& rule : rules) {
        if (Matches(rule, check, anonymous)) {
            check.allowed = rule.allowed;
            check.reasons = rule.allowed ? std::vector<SimDenyReason>{} : rule.reasons;
            break;
        }
    }
    return check;
}

Work BatchWork(BatchRequest request)
{
    return [request](SimState& state, Operation& operation) {
        const Runtime& runtime = state.runtime;
        if (!runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        const std::vector<SimPermissionRule>& rules = runtime.online.privacy.rules;
        auto answers = std::make_shared<PermissionAnswers>();
        for (const std::uint64_t xuid : request.xuids) {
            for (const std::uint32_t permission : request.permissions) {
                answers->push_back(Evaluate(rules, {xuid, 0, permission, true, {}}, false));
            }
        }
        for (const std::uint32_t userType : request.userTypes) {
            for (const std::uint32_t permission : request.permissions) {
                answers->push_back(Evaluate(rules, {0, userType, permission, true, {}}, true));
            }
        }
        operation.value = std::shared_ptr<const PermissionAnswers>(std::move(answers));
        return Results::kOk;
    };
}

void LayOut(ResultArena& arena, const PermissionAnswers& answers, Xbl::XblPermissionCheckResult*& out)
{
    auto* results = arena.Place<Xbl::XblPermissionCheckResult>(answers.size());
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const PermissionAnswer& answer = answers[i];
        auto* reasons = answer.reasons.empty() ? nullptr : arena.Place<Xbl::XblPermissionDenyReasonDetails>(answer.reasons.size());
        for (std::size_t r = 0; reasons != nullptr && r < answer.reasons.size(); ++r) {
            reasons[r] = {static_cast<Xbl::XblPermissionDenyReason>(answer.reasons[r].reason),
                          static_cast<Xbl::XblPrivilege>(answer.reasons[r].privilege),
                          static_cast<Xbl::XblPrivacySetting>(answer.reasons[r].privacySetting)};
        }
        if (results != nullptr) {
            results[i] = {answer.allowed,
                          answer.xuid,
                          static_cast<Xbl::XblAnonymousUserType>(answer.userType),
                          static_cast<Xbl::XblPermission>(answer.permission),
                          reasons,
                          answer.reasons.size()};
        }
    }
    out = results;
}

std::size_t Measure(const PermissionAnswers& answers)
{
    ResultArena arena;
    Xbl::XblPermissionCheckResult* ignored = nullptr;
    LayOut(arena, answers, ignored);
    return arena.Used();
}

const PermissionAnswers& AnswersOf(const Operation& operation)
{
    return *std::any_cast<const std::shared_ptr<const PermissionAnswers>&>(operation.value);
}

HResult GiveSize(Call& call, Gdk::XAsyncBlock* block, std::size_t* size)
{
    if (!call.Requires(size != nullptr, "null size out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    const Operation* operation = ReadStoreResult(call, block, kBatchCheck, call.Rt().online.privacy.permissionResultSize, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    *size = Measure(AnswersOf(*operation));
    call.Entry()["size"] = *size;
    return call.Returns(Results::kOk);
}

HResult GiveResults(Call& call, Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                    Xbl::XblPermissionCheckResult** results, std::size_t* count, std::size_t* bufferUsed)
{
    if (!call.Requires(buffer != nullptr && results != nullptr && count != nullptr, "null buffer, ptrToBufferResults or count")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation = ReadStoreResult(call, block, kBatchCheck, call.Rt().online.privacy.permissionResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    const PermissionAnswers& answers = AnswersOf(*operation);
    const std::size_t required = Measure(answers);
    if (bufferSize < required) {
        call.Entry()["required"] = required;
        return call.Returns(Results::kNotSufficientBuffer);
    }
    ResultArena arena(buffer);
    LayOut(arena, answers, *results);
    *count = answers.size();
    if (bufferUsed != nullptr) {
        *bufferUsed = required;
    }
    operation->resultTaken = true;
    call.Entry()["count"] = answers.size();
    return call.Returns(Results::kOk);
}

template <typename Item, typename Given>
bool CopyList(Call& call, const Given* items, std::size_t count, const char* name, std::vector<Item>& list)
{
    if (!call.Requires(items != nullptr || count == 0, std::string("null ") + name + " with a count")) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        list.push_back(static_cast<Item>(items[i]));
    }
    return true;
}

} // namespace

HResult ServiceBatchCheckPermissionAsync(Xbl::XblContextHandle context, Xbl::XblPermission* permissions,
                                         std::size_t permissionsCount, std::uint64_t* xuids, std::size_t xuidsCount,
                                         Xbl::XblAnonymousUserType* userTypes, std::size_t userTypesCount,
                                         Gdk::XAsyncBlock* block)
{
    return JournalledCall(kBatchCheck, {{"context", DescribeHandle(context)}}, [&](Call& call) {
        BatchRequest request;
        if (!CopyList(call, permissions, permissionsCount, "permissions", request.permissions) ||
            !CopyList(call, xuids, xuidsCount, "xuids", request.xuids) ||
            !CopyList(call, userTypes, userTypesCount, "anonymous user types", request.userTypes)) {
            return call.Returns(Results::kInvalidArg);
        }
        nlohmann::json& entry = call.Entry();
        entry["permissions"] = request.permissions;
        // A thousand xuids make a long journal line: their count and the first few say enough.
        entry["xuidCount"] = request.xuids.size();
        entry["xuids"] = nlohmann::json::array();
        for (std::size_t i = 0; i < request.xuids.size() && i < 8; ++i) {
            entry["xuids"].push_back(std::to_string(request.xuids[i]));
        }
        entry["anonymous"] = request.userTypes;
        PrivacySettings& privacy = call.Rt().online.privacy;
        return StartServiceCall(call, context, block, privacy.permissionStart, privacy.permission, BatchWork(std::move(request)));
    });
}

HResult ServiceBatchCheckPermissionResultSize(Gdk::XAsyncBlock* block, std::size_t* size)
{
    return RuntimeCall("XblPrivacyBatchCheckPermissionResultSize", {}, [&](Call& call) { return GiveSize(call, block, size); });
}

HResult ServiceBatchCheckPermissionResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                          Xbl::XblPermissionCheckResult** results, std::size_t* count, std::size_t* bufferUsed)
{
    return RuntimeCall("XblPrivacyBatchCheckPermissionResult", {{"size", bufferSize}}, [&](Call& call) {
        return GiveResults(call, block, bufferSize, buffer, results, count, bufferUsed);
    });
}

} // namespace Vyro::XboxSim
