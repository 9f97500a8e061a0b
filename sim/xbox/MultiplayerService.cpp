// The multiplayer activity service: the signed-in player's activity set and deleted, other players'
// activities read by xuid (players without one are absent from the result), invites sent, and recent
// players recorded, then uploaded by a flush. A query's activities are laid out in the caller's
// buffer, their texts pointing into it.
#include <memory>

#include "AsyncCalls.h"
#include "Calls.h"
#include "ResultArena.h"
#include "ServicesCalls.h"

namespace Vyro::XboxSim {

namespace {

constexpr char kSetActivity[] = "XblMultiplayerActivitySetActivityAsync";
constexpr char kGetActivity[] = "XblMultiplayerActivityGetActivityAsync";
constexpr char kDeleteActivity[] = "XblMultiplayerActivityDeleteActivityAsync";
constexpr char kSendInvites[] = "XblMultiplayerActivitySendInvitesAsync";
constexpr char kFlushRecentPlayers[] = "XblMultiplayerActivityFlushRecentPlayersAsync";

using Activities = std::vector<SimActivity>;

MultiplayerAnswers& AnswersOf(Call& call) { return call.Rt().multiplayer.answers; }

// The work of a call made for the signed-in player: refused once the account has signed out.
template <typename Change>
Work PlayerWork(Change change)
{
    return [change](SimState& state, Operation& operation) {
        if (!state.runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        change(state, operation);
        return Results::kOk;
    };
}

HResult StartAs(Call& call, Xbl::XblContextHandle context, Gdk::XAsyncBlock* block, StoreCallSettings& settings, Work work)
{
    return StartServiceCall(call, context, block, settings.startResult, settings.outcomes, std::move(work));
}

void LayOutActivities(ResultArena& arena, const Activities& activities, Xbl::XblMultiplayerActivityInfo*& out)
{
    auto* records = arena.Place<Xbl::XblMultiplayerActivityInfo>(activities.size());
    for (std::size_t i = 0; i < activities.size(); ++i) {
        const SimActivity& activity = activities[i];
        const char* connectionString = arena.Text(activity.connectionString);
        const char* groupId = arena.Text(activity.groupId);
        if (records != nullptr) {
            records[i] = {activity.xuid,
                          connectionString,
                          static_cast<Xbl::XblMultiplayerActivityJoinRestriction>(activity.joinRestriction),
                          static_cast<std::size_t>(activity.maxPlayers),
                          static_cast<std::size_t>(activity.currentPlayers),
                          groupId,
                          static_cast<Xbl::XblMultiplayerActivityPlatform>(activity.platform)};
        }
    }
    out = records;
}

std::size_t MeasureActivities(const Activities& activities)
{
    ResultArena arena;
    Xbl::XblMultiplayerActivityInfo* ignored = nullptr;
    LayOutActivities(arena, activities, ignored);
    return arena.Used();
}

const Activities& ActivitiesOf(const Operation& operation)
{
    return *std::any_cast<const std::shared_ptr<const Activities>&>(operation.value);
}

// The completed query behind a result function, unless it is programmed to fail or cannot be read.
Operation* ReadActivities(Call& call, Gdk::XAsyncBlock* block, HResult programmed, HResult& failure)
{
    const ResultRead read = ReadResult(call, block, kGetActivity);
    failure = read.operation == nullptr ? read.failure : programmed;
    return Gdk::Succeeded(failure) ? read.operation : nullptr;
}

HResult GiveActivitiesSize(Call& call, Gdk::XAsyncBlock* block, std::size_t* size)
{
    if (!call.Requires(size != nullptr, "null size out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    const Operation* operation = ReadActivities(call, block, AnswersOf(call).getActivity.resultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    *size = MeasureActivities(ActivitiesOf(*operation));
    call.Entry()["size"] = *size;
    return call.Returns(Results::kOk);
}

HResult GiveActivities(Call& call, Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                       Xbl::XblMultiplayerActivityInfo** out, std::size_t* count, std::size_t* bufferUsed)
{
    if (!call.Requires(out != nullptr && count != nullptr, "null ptrToBufferResults or resultCount") ||
        !call.Requires(buffer != nullptr || bufferSize == 0, "null buffer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation = ReadActivities(call, block, AnswersOf(call).getActivityResultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    const Activities& activities = ActivitiesOf(*operation);
    const std::size_t required = MeasureActivities(activities);
    if (bufferSize < required) {
        call.Entry()["required"] = required;
        return call.Returns(Results::kNotSufficientBuffer);
    }
    ResultArena arena(buffer);
    LayOutActivities(arena, activities, *out);
    *count = activities.size();
    if (bufferUsed != nullptr) {
        *bufferUsed = required;
    }
    operation->resultTaken = true;
    call.Entry()["count"] = activities.size();
    return call.Returns(Results::kOk);
}

HResult StartSetActivity(Call& call, Xbl::XblContextHandle context, const Xbl::XblMultiplayerActivityInfo* info,
                         bool allowCrossPlatformJoin, Gdk::XAsyncBlock* block)
{
    if (!call.Requires(info != nullptr, "null activityInfo") ||
        !call.Requires(info->connectionString != nullptr, "null connectionString")) {
        return call.Returns(Results::kInvalidArg);
    }
    // The service sets the platform itself and keeps its own copy of the texts.
    SimActivity activity{call.Rt().settings.xuid, std::string(info->connectionString),
                         info->groupId == nullptr ? std::nullopt : std::optional<std::string>(info->groupId),
                         static_cast<std::uint32_t>(info->joinRestriction), info->maxPlayers, info->currentPlayers, 3,
                         allowCrossPlatformJoin};
    return StartAs(call, context, block, AnswersOf(call).setActivity, PlayerWork([activity](SimState& state, Operation&) {
                       state.runtime.multiplayer.activities[activity.xuid] = activity;
                   }));
}

HResult StartGetActivity(Call& call, Xbl::XblContextHandle context, const std::uint64_t* xuids, std::size_t count,
                         Gdk::XAsyncBlock* block)
{
    if (!call.Requires(xuids != nullptr && count > 0, "no xuids")) {
        return call.Returns(Results::kInvalidArg);
    }
    std::vector<std::uint64_t> asked(xuids, xuids + count);
    return StartAs(call, context, block, AnswersOf(call).getActivity, PlayerWork([asked](SimState& state, Operation& operation) {
                       auto found = std::make_shared<Activities>();
                       const auto& activities = state.runtime.multiplayer.activities;
                       for (const std::uint64_t xuid : asked) {
                           const auto activity = activities.find(xuid);
                           if (activity != activities.end()) {
                               found->push_back(activity->second);
                           }
                       }
                       operation.value = std::shared_ptr<const Activities>(std::move(found));
                   }));
}

HResult StartSendInvites(Call& call, Xbl::XblContextHandle context, const std::uint64_t* xuids, std::size_t count,
                         bool allowCrossPlatformJoin, const char* connectionString, Gdk::XAsyncBlock* block)
{
    if (!call.Requires(xuids != nullptr && count > 0, "no xuids")) {
        return call.Returns(Results::kInvalidArg);
    }
    SimInviteSent sent{std::vector<std::uint64_t>(xuids, xuids + count), allowCrossPlatformJoin,
                       connectionString == nullptr ? std::nullopt : std::optional<std::string>(connectionString)};
    return StartAs(call, context, block, AnswersOf(call).sendInvites, PlayerWork([sent](SimState& state, Operation&) {
                       state.runtime.multiplayer.invitesSent.push_back(sent);
                   }));
}

// Recorded at once; the upload waits for a flush.
HResult UpdateRecentPlayers(Call& call, Xbl::XblContextHandle context, const Xbl::XblMultiplayerActivityRecentPlayerUpdate* updates,
                            std::size_t count)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.Requires(call.Rt().xbl.contexts.Find(context) != nullptr, "unknown or closed Xbox services context") ||
        !call.Requires(updates != nullptr && count > 0, "no updates")) {
        return call.Returns(Results::kInvalidArg);
    }
    const HResult programmed = AnswersOf(call).updateRecentPlayersResult;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    for (std::size_t i = 0; i < count; ++i) {
        call.Rt().multiplayer.pendingRecentPlayers.push_back({updates[i].xuid, static_cast<std::uint32_t>(updates[i].encounterType)});
    }
    return call.Returns(Results::kOk);
}

HResult GiveXuid(Call& call, Xbl::XblContextHandle context, std::uint64_t* xuid)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.Requires(call.Rt().xbl.contexts.Find(context) != nullptr, "unknown or closed Xbox services context") ||
        !call.Requires(xuid != nullptr, "null xboxUserId out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const HResult programmed = AnswersOf(call).xuidResult;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    *xuid = call.Rt().settings.xuid;
    call.Entry()["xuid"] = std::to_string(*xuid);
    return call.Returns(Results::kOk);
}

nlohmann::json DescribeXuids(const std::uint64_t* xuids, std::size_t count)
{
    nlohmann::json list = nlohmann::json::array();
    for (std::size_t i = 0; xuids != nullptr && i < count; ++i) {
        list.push_back(std::to_string(xuids[i]));
    }
    return list;
}

nlohmann::json DescribeActivity(const Xbl::XblMultiplayerActivityInfo* info)
{
    if (info == nullptr) {
        return nullptr;
    }
    return {{"xuid", std::to_string(info->xuid)},
            {"connectionString", JournalText(info->connectionString)},
            {"joinRestriction", static_cast<std::uint32_t>(info->joinRestriction)},
            {"maxPlayers", info->maxPlayers},
            {"currentPlayers", info->currentPlayers},
            {"groupId", JournalText(info->groupId)},
            {"platform", static_cast<std::uint32_t>(info->platform)}};
}

} // namespace

HResult ServiceContextGetXboxUserId(Xbl::XblContextHandle context, std::uint64_t* xuid)
{
    return JournalledCall("XblContextGetXboxUserId", {{"context", DescribeHandle(context)}},
                          [&](Call& call) { return GiveXuid(call, context, xuid); });
}

HResult ServiceSetActivityAsync(Xbl::XblContextHandle context, const Xbl::XblMultiplayerActivityInfo* info,
                                bool allowCrossPlatformJoin, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kSetActivity,
                          {{"context", DescribeHandle(context)}, {"activity", DescribeActivity(info)},
                           {"allowCrossPlatformJoin", allowCrossPlatformJoin}},
                          [&](Call& call) { return StartSetActivity(call, context, info, allowCrossPlatformJoin, block); });
}

HResult ServiceGetActivityAsync(Xbl::XblContextHandle context, const std::uint64_t* xuids, std::size_t count,
                                Gdk::XAsyncBlock* block)
{
    return JournalledCall(kGetActivity, {{"context", DescribeHandle(context)}, {"xuids", DescribeXuids(xuids, count)}},
                          [&](Call& call) { return StartGetActivity(call, context, xuids, count, block); });
}

HResult ServiceGetActivityResultSize(Gdk::XAsyncBlock* block, std::size_t* size)
{
    return RuntimeCall("XblMultiplayerActivityGetActivityResultSize", {},
                       [&](Call& call) { return GiveActivitiesSize(call, block, size); });
}

HResult ServiceGetActivityResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                 Xbl::XblMultiplayerActivityInfo** activities, std::size_t* count, std::size_t* bufferUsed)
{
    return RuntimeCall("XblMultiplayerActivityGetActivityResult", {{"bufferSize", bufferSize}}, [&](Call& call) {
        return GiveActivities(call, block, bufferSize, buffer, activities, count, bufferUsed);
    });
}

HResult ServiceDeleteActivityAsync(Xbl::XblContextHandle context, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kDeleteActivity, {{"context", DescribeHandle(context)}}, [&](Call& call) {
        return StartAs(call, context, block, AnswersOf(call).deleteActivity, PlayerWork([](SimState& state, Operation&) {
                           state.runtime.multiplayer.activities.erase(state.runtime.settings.xuid);
                       }));
    });
}

HResult ServiceSendInvitesAsync(Xbl::XblContextHandle context, const std::uint64_t* xuids, std::size_t count,
                                bool allowCrossPlatformJoin, const char* connectionString, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kSendInvites,
                          {{"context", DescribeHandle(context)}, {"xuids", DescribeXuids(xuids, count)},
                           {"allowCrossPlatformJoin", allowCrossPlatformJoin}, {"connectionString", JournalText(connectionString)}},
                          [&](Call& call) {
                              return StartSendInvites(call, context, xuids, count, allowCrossPlatformJoin, connectionString, block);
                          });
}

HResult ServiceUpdateRecentPlayers(Xbl::XblContextHandle context, const Xbl::XblMultiplayerActivityRecentPlayerUpdate* updates,
                                   std::size_t count)
{
    nlohmann::json listed = nlohmann::json::array();
    for (std::size_t i = 0; updates != nullptr && i < count; ++i) {
        listed.push_back({{"xuid", std::to_string(updates[i].xuid)}, {"encounterType", static_cast<std::uint32_t>(updates[i].encounterType)}});
    }
    return JournalledCall("XblMultiplayerActivityUpdateRecentPlayers", {{"context", DescribeHandle(context)}, {"updates", listed}},
                          [&](Call& call) { return UpdateRecentPlayers(call, context, updates, count); });
}

HResult ServiceFlushRecentPlayersAsync(Xbl::XblContextHandle context, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kFlushRecentPlayers, {{"context", DescribeHandle(context)}}, [&](Call& call) {
        return StartAs(call, context, block, AnswersOf(call).flushRecentPlayers, PlayerWork([](SimState& state, Operation&) {
                           MultiplayerData& multiplayer = state.runtime.multiplayer;
                           multiplayer.recentPlayers.insert(multiplayer.recentPlayers.end(), multiplayer.pendingRecentPlayers.begin(),
                                                            multiplayer.pendingRecentPlayers.end());
                           multiplayer.pendingRecentPlayers.clear();
                           ++multiplayer.flushes;
                       }));
    });
}

} // namespace Vyro::XboxSim
