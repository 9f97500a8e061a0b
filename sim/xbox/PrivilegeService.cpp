// The account's privileges: checked at once, and the resolve dialog through which the player may gain
// one that is resolvable (completing S_OK, the privilege granted from then on) or close it (E_ABORT).
#include "DialogCalls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kResolve[] = "XUserResolvePrivilegeWithUiAsync";

SimPrivilege PrivilegeOf(const Runtime& runtime, std::uint32_t privilege)
{
    const auto found = runtime.online.privacy.privileges.find(privilege);
    return found == runtime.online.privacy.privileges.end() ? SimPrivilege{} : found->second;
}

bool ValidOptions(Call& call, Gdk::XUserPrivilegeOptions options)
{
    call.Entry()["options"] = static_cast<std::uint32_t>(options);
    return call.Requires(options == Gdk::XUserPrivilegeOptions::None || options == Gdk::XUserPrivilegeOptions::AllUsers,
                         "unknown privilege options");
}

HResult CheckPrivilege(Call& call, Gdk::XUserHandle user, Gdk::XUserPrivilegeOptions options, std::uint32_t privilege,
                       bool* hasPrivilege, Gdk::XUserPrivilegeDenyReason* reason)
{
    if (!call.User(user) || !ValidOptions(call, options) ||
        !call.Requires(hasPrivilege != nullptr && reason != nullptr, "null hasPrivilege or reason out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const HResult programmed = call.Rt().online.privacy.checkResult;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    if (!call.Rt().account.signedIn) {
        return call.Returns(Results::kUserSignedOut);
    }
    const SimPrivilege found = PrivilegeOf(call.Rt(), privilege);
    *hasPrivilege = found.granted;
    *reason = static_cast<Gdk::XUserPrivilegeDenyReason>(found.granted ? 0 : found.denyReason);
    call.Entry()["hasPrivilege"] = *hasPrivilege;
    call.Entry()["denyReason"] = static_cast<std::uint32_t>(*reason);
    return call.Returns(Results::kOk);
}

// The dialog's work: a granted privilege needs nothing; a resolvable one is granted; else the player
// closes the dialog.
Work ResolveWork(std::uint32_t privilege)
{
    return [privilege](SimState& state, Operation&) {
        Runtime& runtime = state.runtime;
        if (!runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        SimPrivilege found = PrivilegeOf(runtime, privilege);
        if (found.granted) {
            return Results::kOk;
        }
        if (!found.resolvable) {
            return Results::kAbort;
        }
        found.granted = true;
        found.denyReason = 0;
        runtime.online.privacy.privileges[privilege] = found;
        return Results::kOk;
    };
}

HResult StartResolve(Call& call, Gdk::XUserHandle user, Gdk::XUserPrivilegeOptions options, std::uint32_t privilege,
                     Gdk::XAsyncBlock* block)
{
    if (!call.User(user) || !ValidOptions(call, options)) {
        return call.Returns(Results::kInvalidArg);
    }
    return StartDialog(call, block, call.Rt().online.privacy.resolve, ResolveWork(privilege));
}

} // namespace

extern "C" {

Gdk::HResult XUserCheckPrivilege(Gdk::XUserHandle user, Gdk::XUserPrivilegeOptions options, Gdk::XUserPrivilege privilege,
                                 bool* hasPrivilege, Gdk::XUserPrivilegeDenyReason* reason)
{
    const auto number = static_cast<std::uint32_t>(privilege);
    return RuntimeCall("XUserCheckPrivilege", {{"privilege", number}},
                       [&](Call& call) { return CheckPrivilege(call, user, options, number, hasPrivilege, reason); });
}

Gdk::HResult XUserResolvePrivilegeWithUiAsync(Gdk::XUserHandle user, Gdk::XUserPrivilegeOptions options,
                                              Gdk::XUserPrivilege privilege, Gdk::XAsyncBlock* async)
{
    const auto number = static_cast<std::uint32_t>(privilege);
    return RuntimeCall(kResolve, {{"privilege", number}}, [&](Call& call) { return StartResolve(call, user, options, number, async); });
}

Gdk::HResult XUserResolvePrivilegeWithUiResult(Gdk::XAsyncBlock* async)
{
    return RuntimeCall("XUserResolvePrivilegeWithUiResult", {}, [&](Call& call) {
        return TakeDialogOutcome(call, async, kResolve, call.Rt().online.privacy.resolve.resultResult);
    });
}

} // extern "C"
