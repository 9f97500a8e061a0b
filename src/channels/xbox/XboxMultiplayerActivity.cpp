// The player's multiplayer activity: published, read back for other players, and withdrawn.
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxMultiplayer.h"
#include "channels/xbox/XboxParameters.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "channels/xbox/XuidText.h"
#include "common/Logger.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

// The texts of an activity being set: the service may read them while the call runs.
struct ActivityTexts {
    std::string connectionString;
    std::string groupId;
};

json ActivityItem(const Xbl::XblMultiplayerActivityInfo& activity)
{
    return json{{"xuid", std::to_string(activity.xuid)},
                {"connectionString", TextOf(activity.connectionString)},
                {"groupId", TextOf(activity.groupId)},
                {"maxPlayers", static_cast<std::uint64_t>(activity.maxPlayers)},
                {"currentPlayers", static_cast<std::uint64_t>(activity.currentPlayers)},
                {"joinRestriction", static_cast<std::int64_t>(static_cast<std::int32_t>(activity.joinRestriction))},
                {"platform", static_cast<std::uint32_t>(activity.platform)}};
}

void CompleteGetActivities(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const Xbl::XblApi& services = context.Services();
    std::size_t size = 0;
    const HResult sized = services.XblMultiplayerActivityGetActivityResultSize(block, &size);
    if (!Gdk::Succeeded(sized)) {
        AnswerFailedResult(cb, requestId, "XblMultiplayerActivityGetActivityResultSize", "Failed to get activity result size.", sized);
        return;
    }
    // Words rather than bytes, so that the records laid out in it are aligned.
    std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    Xbl::XblMultiplayerActivityInfo* activities = nullptr;
    std::size_t count = 0;
    const HResult read = services.XblMultiplayerActivityGetActivityResult(block, size, size == 0 ? nullptr : buffer.data(),
                                                                         &activities, &count, nullptr);
    if (!Gdk::Succeeded(read)) {
        AnswerFailedResult(cb, requestId, "XblMultiplayerActivityGetActivityResult", "Failed to get activity results.", read);
        return;
    }
    json items = json::array();
    for (std::size_t i = 0; activities != nullptr && i < count; ++i) {
        items.push_back(ActivityItem(activities[i]));
    }
    AnswerSuccess(cb, requestId, json{{"xbox", {{"activities", std::move(items)}}}});
}

} // namespace

void XboxMultiplayer::SetActivity(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    XboxParameters members = XboxParameters::OfXbox(request);
    auto texts = std::make_shared<ActivityTexts>();
    texts->connectionString = members.String("connectionString", "");
    texts->groupId = members.String("groupId", "");
    const std::uint32_t maxPlayers = members.Uint32("maxPlayers", 0);
    const std::uint32_t currentPlayers = members.Uint32("currentPlayers", 0);
    const std::int32_t joinRestriction = members.Int32("joinRestriction", 0);
    const bool allowCrossPlatformJoin = members.Bool("allowCrossPlatformJoin", true);
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return;
    }
    if (texts->connectionString.empty()) {
        Log(LogLevel::Error, "SetActivity: connectionString is empty");
        AnswerFailure(cb, requestId, "connectionString is required.");
        return;
    }
    if (texts->groupId.empty()) {
        Log(LogLevel::Error, "SetActivity: groupId is empty");
        AnswerFailure(cb, requestId, "groupId is required.");
        return;
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    std::uint64_t xuid = 0;
    const HResult xuidResult = context.Services().XblContextGetXboxUserId(servicesContext, &xuid);
    if (!Gdk::Succeeded(xuidResult)) {
        AnswerFailedCall(cb, requestId, "XblContextGetXboxUserId", xuidResult);
        return;
    }
    const Xbl::XblMultiplayerActivityInfo activity{xuid,
                                                   texts->connectionString.c_str(),
                                                   static_cast<Xbl::XblMultiplayerActivityJoinRestriction>(joinRestriction),
                                                   maxPlayers,
                                                   currentPlayers,
                                                   texts->groupId.c_str(),
                                                   Xbl::XblMultiplayerActivityPlatform::Win32};
    const bool started = StartCall(
        context, cb, requestId, "XblMultiplayerActivitySetActivityAsync",
        [&context, cb, requestId, texts](Gdk::XAsyncBlock* block) { AnswerStatus(context, block, cb, requestId, "SetActivity"); },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblMultiplayerActivitySetActivityAsync(servicesContext, &activity, allowCrossPlatformJoin, block);
        });
    // The game may be joined at once, before the service has confirmed the activity.
    if (started) {
        SetPendingJoin(texts->connectionString);
    }
}

void XboxMultiplayer::GetActivities(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    const XboxParameters members = XboxParameters::OfXbox(request);
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return;
    }
    const auto xuids = std::make_shared<const std::vector<std::uint64_t>>(
        ParseXuidList(members.Object().value("xuids", json()), "GetActivities"));
    if (xuids->empty()) {
        Log(LogLevel::Error, "GetActivities: No valid xuids provided");
        AnswerFailure(cb, requestId, "No valid xuids provided.");
        return;
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblMultiplayerActivityGetActivityAsync",
        [&context, cb, requestId, xuids](Gdk::XAsyncBlock* block) { CompleteGetActivities(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblMultiplayerActivityGetActivityAsync(servicesContext, xuids->data(), xuids->size(), block);
        });
}

void XboxMultiplayer::DeleteActivity(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblMultiplayerActivityDeleteActivityAsync",
        [&context, cb, requestId](Gdk::XAsyncBlock* block) { AnswerStatus(context, block, cb, requestId, "DeleteActivity"); },
        [&](Gdk::XAsyncBlock* block) { return context.Services().XblMultiplayerActivityDeleteActivityAsync(servicesContext, block); });
}

} // namespace Vyro
