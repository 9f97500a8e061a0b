// Game invites the player sends: through the system's dialog or straight to the players named.
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxMultiplayer.h"
#include "channels/xbox/XboxParameters.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "channels/xbox/XuidText.h"
#include "common/Logger.h"
#include "core/BaseChannelSDK.h"
#include "core/Envelope.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

// What the service reads while the invites go out.
struct InviteList {
    std::vector<std::uint64_t> xuids;
    std::string connectionString;
};

// The player closing the dialog without inviting anyone is an answer, not a failure.
void CompleteInviteDialog(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const HResult result = context.Runtime().XGameUiShowMultiplayerActivityGameInviteResult(block);
    if (!Gdk::Succeeded(result) && result != Gdk::kAbort) {
        AnswerFailedCall(cb, requestId, "ShowSessionInvite", result);
        return;
    }
    AnswerSuccess(cb, requestId, json::object());
}

} // namespace

void XboxMultiplayer::ShowSessionInvite(const std::string& params, ResultCallback cb)
{
    const json request = ParseParameters(params.c_str());
    const std::string requestId = GetRequestId(request);
    IXboxContext& context = *Context();
    const Gdk::XUserHandle user = context.GetUserHandle();
    if (user == nullptr) {
        Log(LogLevel::Error, "User not signed in");
        BaseChannelSDK::Answer(cb, VYROCHANNEL_NO_USER,
                               MakeErrorResponse("User not signed in. Call Login() first.", ChannelType::Xbox, requestId));
        return;
    }
    // The invites are to the player's multiplayer activity, which the dialog reads itself.
    StartCall(
        context, cb, requestId, "XGameUiShowMultiplayerActivityGameInviteAsync",
        [&context, cb, requestId](Gdk::XAsyncBlock* block) { CompleteInviteDialog(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) { return context.Runtime().XGameUiShowMultiplayerActivityGameInviteAsync(block, user); });
}

void XboxMultiplayer::SendSessionInvite(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    XboxParameters members = XboxParameters::OfXbox(request);
    auto invites = std::make_shared<InviteList>();
    invites->connectionString = members.String("connectionString", "");
    const bool allowCrossPlatformJoin = members.Bool("allowCrossPlatformJoin", true);
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return;
    }
    invites->xuids = ParseXuidList(members.Object().value("xuids", json()), "SendSessionInvite");
    if (invites->xuids.empty()) {
        Log(LogLevel::Error, "SendSessionInvite: No valid xuids provided");
        AnswerFailure(cb, requestId, "No valid xuids provided.");
        return;
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblMultiplayerActivitySendInvitesAsync",
        [&context, cb, requestId, invites](Gdk::XAsyncBlock* block) {
            AnswerStatus(context, block, cb, requestId, "SendSessionInvite");
        },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblMultiplayerActivitySendInvitesAsync(servicesContext, invites->xuids.data(),
                                                                           invites->xuids.size(), allowCrossPlatformJoin,
                                                                           invites->connectionString.c_str(), block);
        });
}

} // namespace Vyro
