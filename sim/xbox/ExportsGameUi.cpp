// The send-invite dialog: it completes as programmed, S_OK once the player sent invites, E_ABORT when
// the player closed it, any other failure as the system's.
#include "AsyncCalls.h"
#include "StoreCalls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kInviteDialog[] = "XGameUiShowSendGameInviteAsync";

HResult StartInviteDialog(Call& call, Gdk::XUserHandle user, Gdk::XAsyncBlock* block)
{
    if (!call.User(user)) {
        return call.Returns(Results::kInvalidArg);
    }
    return StartStoreCall(call, block, call.Rt().multiplayer.answers.inviteDialog, [](SimState& state, Operation&) {
        ++state.runtime.multiplayer.dialogsShown;
        return Results::kOk;
    });
}

HResult TakeInviteDialog(Call& call, Gdk::XAsyncBlock* block)
{
    HResult failure = Results::kOk;
    Operation* operation = ReadStoreResult(call, block, kInviteDialog, call.Rt().multiplayer.answers.inviteDialog.resultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    operation->resultTaken = true;
    return call.Returns(Results::kOk);
}

} // namespace

extern "C" {

Gdk::HResult XGameUiShowSendGameInviteAsync(Gdk::XAsyncBlock* async, Gdk::XUserHandle requestingUser,
                                            const char* serviceConfigurationId, const char* sessionTemplateName,
                                            const char* sessionId, const char* invitationText, const char* customActivationContext)
{
    return RuntimeCall(kInviteDialog,
                       {{"scid", JournalText(serviceConfigurationId)},
                        {"sessionTemplateName", JournalText(sessionTemplateName)},
                        {"sessionId", JournalText(sessionId)},
                        {"invitationText", JournalText(invitationText)},
                        {"customActivationContext", JournalText(customActivationContext)}},
                       [&](Call& call) { return StartInviteDialog(call, requestingUser, async); });
}

Gdk::HResult XGameUiShowSendGameInviteResult(Gdk::XAsyncBlock* async)
{
    return RuntimeCall("XGameUiShowSendGameInviteResult", {}, [&](Call& call) { return TakeInviteDialog(call, async); });
}

} // extern "C"
