// The dialog inviting friends to the player's multiplayer activity: without an activity it fails
// (E_GAMERUNTIME_MULTIPLAYER_NOT_CONFIGURED); otherwise it completes as programmed, S_OK once the player
// sent invites, E_ABORT when the player closed it, any other failure as the system's.
#include "AsyncCalls.h"
#include "StoreCalls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kInviteDialog[] = "XGameUiShowMultiplayerActivityGameInviteAsync";

HResult StartInviteDialog(Call& call, Gdk::XUserHandle user, Gdk::XAsyncBlock* block)
{
    if (!call.User(user)) {
        return call.Returns(Results::kInvalidArg);
    }
    return StartStoreCall(call, block, call.Rt().multiplayer.answers.inviteDialog, [](SimState& state, Operation&) {
        MultiplayerData& multiplayer = state.runtime.multiplayer;
        if (!multiplayer.activities.contains(state.runtime.settings.xuid)) {
            return Results::kMultiplayerNotConfigured;
        }
        ++multiplayer.dialogsShown;
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

Gdk::HResult XGameUiShowMultiplayerActivityGameInviteAsync(Gdk::XAsyncBlock* async, Gdk::XUserHandle requestingUser)
{
    return RuntimeCall(kInviteDialog, {}, [&](Call& call) { return StartInviteDialog(call, requestingUser, async); });
}

Gdk::HResult XGameUiShowMultiplayerActivityGameInviteResult(Gdk::XAsyncBlock* async)
{
    return RuntimeCall("XGameUiShowMultiplayerActivityGameInviteResult", {}, [&](Call& call) { return TakeInviteDialog(call, async); });
}

} // extern "C"
