#include "channels/xbox/XboxOnlineServices.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxParameters.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "channels/xbox/XuidText.h"
#include "core/Envelope.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

// What a permission batch asks about. The service reads the lists while the call runs, so the handler
// shares them with the start.
struct PermissionBatch {
    std::vector<Xbl::XblPermission> permissions;
    std::vector<std::uint64_t> xuids;
    std::vector<Xbl::XblAnonymousUserType> userTypes;
};

// An enumeration number given as a boolean, an integer, or a floating number whose fraction is
// dropped; anything else, or a number outside the unsigned 32-bit range, is refused.
std::optional<std::uint32_t> EnumNumber(const json& element)
{
    if (element.is_boolean()) {
        return element.get<bool>() ? 1U : 0U;
    }
    if (element.is_number_unsigned()) {
        const auto value = element.get<std::uint64_t>();
        return value <= std::numeric_limits<std::uint32_t>::max() ? std::optional(static_cast<std::uint32_t>(value)) : std::nullopt;
    }
    if (element.is_number_integer()) {
        const auto value = element.get<std::int64_t>();
        return value >= 0 && value <= std::numeric_limits<std::uint32_t>::max() ? std::optional(static_cast<std::uint32_t>(value))
                                                                                : std::nullopt;
    }
    if (element.is_number_float()) {
        const double value = element.get<double>();
        // Compared before the conversion: a value out of range has no defined conversion.
        if (value > -1.0 && value < 4294967296.0) {
            return static_cast<std::uint32_t>(value);
        }
    }
    return std::nullopt;
}

// The numbers of array member `name` (none when it is absent or not an array); a refused element is
// recorded in `members` as the request's refusal.
template <typename Enum>
std::vector<Enum> EnumList(XboxParameters& members, const char* name)
{
    std::vector<Enum> list;
    const json& object = members.Object();
    const auto found = object.find(name);
    if (found == object.end() || !found->is_array()) {
        return list;
    }
    list.reserve(found->size());
    for (std::size_t i = 0; i < found->size(); ++i) {
        const std::optional<std::uint32_t> number = EnumNumber((*found)[i]);
        if (!number) {
            members.Refuse((std::string(name) + "[" + std::to_string(i) + "]").c_str(), "an unsigned 32-bit number or a boolean");
            continue;
        }
        list.push_back(static_cast<Enum>(*number));
    }
    return list;
}

json ReasonList(const Xbl::XblPermissionCheckResult& result)
{
    json reasons = json::array();
    for (std::size_t i = 0; i < result.reasonsCount; ++i) {
        const Xbl::XblPermissionDenyReasonDetails& details = result.reasons[i];
        reasons.push_back({{"reason", static_cast<std::uint32_t>(details.reason)},
                           {"restricted_privilege", static_cast<std::uint32_t>(details.restrictedPrivilege)},
                           {"restricted_privacy_setting", static_cast<std::uint32_t>(details.restrictedPrivacySetting)}});
    }
    return reasons;
}

json PermissionItem(const Xbl::XblPermissionCheckResult& result)
{
    json item{{"is_allowed", result.isAllowed},
              {"account_id", std::to_string(result.targetXuid)},
              {"permission", static_cast<std::uint32_t>(result.permissionRequested)},
              {"anonymous", static_cast<std::uint32_t>(result.targetUserType)}};
    if (result.reasons != nullptr && result.reasonsCount > 0) {
        item["reason"] = ReasonList(result);
    }
    return item;
}

void CompletePermissionCheck(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const Xbl::XblApi& services = context.Services();
    std::size_t size = 0;
    const HResult sized = services.XblPrivacyBatchCheckPermissionResultSize(block, &size);
    if (!Gdk::Succeeded(sized) || size == 0) {
        AnswerFailedResult(cb, requestId, "XblPrivacyBatchCheckPermissionResultSize", "Failed to get permission result size", sized);
        return;
    }
    // Of 64-bit words, so that the records laid out at its start are aligned.
    std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t), 0);
    Xbl::XblPermissionCheckResult* results = nullptr;
    std::size_t count = 0;
    const HResult read = services.XblPrivacyBatchCheckPermissionResult(block, size, buffer.data(), &results, &count, nullptr);
    if (!Gdk::Succeeded(read)) {
        AnswerFailedResult(cb, requestId, "XblPrivacyBatchCheckPermissionResult", "Failed to get permission results", read);
        return;
    }
    json items = json::array();
    for (std::size_t i = 0; results != nullptr && i < count; ++i) {
        items.push_back(PermissionItem(results[i]));
    }
    AnswerSuccess(cb, requestId, json{{"xbox", {{"permissions", std::move(items)}}}});
}

void CompletePrivilegeResolve(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId,
                              std::uint32_t privilege)
{
    const HResult result = context.Runtime().XUserResolvePrivilegeWithUiResult(block);
    if (!Gdk::Succeeded(result)) {
        AnswerFailure(cb, requestId, "Privilege not resolved", result);
        return;
    }
    AnswerSuccess(cb, requestId, json{{"xbox", {{"resolved", true}, {"privilege", privilege}}}});
}

// The request's "privilege" (0 when absent); false once a mistyped one was refused.
bool ReadPrivilege(const json& request, ResultCallback cb, const std::string& requestId, std::uint32_t& privilege)
{
    XboxParameters members = XboxParameters::OfXbox(request);
    privilege = members.Uint32("privilege", 0);
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return false;
    }
    return true;
}

} // namespace

XboxOnlineServices::XboxOnlineServices(IXboxContext* context) : XboxServicesFeature(context, "XboxOnlineServices") {}

void XboxOnlineServices::CheckPrivilege(const std::string& params, ResultCallback cb)
{
    const json request = ParseParameters(params.c_str());
    const std::string requestId = GetRequestId(request);
    std::uint32_t privilege = 0;
    if (!ReadPrivilege(request, cb, requestId, privilege)) {
        return;
    }
    IXboxContext& context = *Context();
    bool hasPrivilege = false;
    auto denyReason = Gdk::XUserPrivilegeDenyReason::None;
    const HResult result = context.Runtime().XUserCheckPrivilege(context.GetUserHandle(), Gdk::XUserPrivilegeOptions::None,
                                                                 static_cast<Gdk::XUserPrivilege>(privilege), &hasPrivilege, &denyReason);
    if (!Gdk::Succeeded(result)) {
        AnswerFailedCall(cb, requestId, "XUserCheckPrivilege", result);
        return;
    }
    AnswerSuccess(cb, requestId,
                  json{{"xbox",
                        {{"hasPrivilege", hasPrivilege},
                         {"privilege", privilege},
                         {"denyReason", static_cast<std::int32_t>(denyReason)}}}});
}

void XboxOnlineServices::ResolvePrivilege(const std::string& params, ResultCallback cb)
{
    const json request = ParseParameters(params.c_str());
    const std::string requestId = GetRequestId(request);
    std::uint32_t privilege = 0;
    if (!ReadPrivilege(request, cb, requestId, privilege)) {
        return;
    }
    HandlePrivilegeResolve(privilege, requestId, cb);
}

void XboxOnlineServices::HandlePrivilegeResolve(std::uint32_t privilege, const std::string& requestId, ResultCallback cb)
{
    IXboxContext& context = *Context();
    StartCall(
        context, cb, requestId, "XUserResolvePrivilegeWithUiAsync",
        [&context, cb, requestId, privilege](Gdk::XAsyncBlock* block) {
            CompletePrivilegeResolve(context, block, cb, requestId, privilege);
        },
        [&](Gdk::XAsyncBlock* block) {
            return context.Runtime().XUserResolvePrivilegeWithUiAsync(context.GetUserHandle(), Gdk::XUserPrivilegeOptions::None,
                                                                       static_cast<Gdk::XUserPrivilege>(privilege), block);
        });
}

void XboxOnlineServices::CheckPermission(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    XboxParameters members = XboxParameters::OfXbox(request);
    auto batch = std::make_shared<PermissionBatch>();
    batch->permissions = EnumList<Xbl::XblPermission>(members, "permission");
    batch->userTypes = EnumList<Xbl::XblAnonymousUserType>(members, "anonymous");
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return;
    }
    const auto accounts = members.Object().find("account_id");
    batch->xuids = ParseXuidList(accounts == members.Object().end() ? json() : *accounts, "CheckPermission");
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblPrivacyBatchCheckPermissionAsync",
        [&context, cb, requestId, batch](Gdk::XAsyncBlock* block) { CompletePermissionCheck(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblPrivacyBatchCheckPermissionAsync(
                servicesContext, batch->permissions.data(), batch->permissions.size(), batch->xuids.data(), batch->xuids.size(),
                batch->userTypes.data(), batch->userTypes.size(), block);
        });
}

} // namespace Vyro
