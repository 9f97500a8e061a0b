#include "MultiplayerControl.h"

#include <chrono>
#include <string>

#include "ControlOpShapes.h"
#include "ControlReaders.h"
#include "Events.h"
#include "SimState.h"
#include "Workers.h"

namespace Vyro::XboxSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;
using nlohmann::json;

constexpr std::int64_t kMaxBurst = 100000;
constexpr std::int64_t kMaxIntervalMs = 1000;
constexpr std::int64_t kMaxPlatform = 60;
constexpr std::int64_t kMaxEncounterOrRestriction = 2;

SimActivity ReadActivity(ControlFields& parent, const json& object, const std::string& where)
{
    ControlFields fields(parent, object, where,
                         {"xuid", "connectionString", "groupId", "joinRestriction", "maxPlayers", "currentPlayers", "platform",
                          "allowCrossPlatformJoin"});
    SimActivity activity;
    fields.Require("xuid");
    Assign(fields.Unsigned64("xuid"), activity.xuid);
    Assign(fields.StringOrNull("connectionString"), activity.connectionString);
    Assign(fields.StringOrNull("groupId"), activity.groupId);
    Assign(fields.Integer("joinRestriction", 0, kMaxEncounterOrRestriction), activity.joinRestriction);
    Assign(fields.Unsigned64("maxPlayers"), activity.maxPlayers);
    Assign(fields.Unsigned64("currentPlayers"), activity.currentPlayers);
    Assign(fields.Integer("platform", 0, kMaxPlatform), activity.platform);
    Assign(fields.Bool("allowCrossPlatformJoin"), activity.allowCrossPlatformJoin);
    return activity;
}

void ReadMultiplayer(ControlFields& fields, MultiplayerData& multiplayer)
{
    if (const json* activities = fields.Array("activities")) {
        multiplayer.activities.clear();
        for (std::size_t i = 0; i < activities->size(); ++i) {
            const SimActivity activity = ReadActivity(fields, (*activities)[i], "activities[" + std::to_string(i) + "]");
            multiplayer.activities[activity.xuid] = activity;
        }
    }
    MultiplayerAnswers& answers = multiplayer.answers;
    ReadHResult(fields, "xuidResult", answers.xuidResult);
    ReadCall(fields, "setActivity", answers.setActivity);
    // The query's "ResultResult" is its size function's; the result function has its own.
    ReadCall(fields, "getActivity", answers.getActivity);
    ReadHResult(fields, "getActivityBufferResult", answers.getActivityResultResult);
    ReadCall(fields, "deleteActivity", answers.deleteActivity);
    ReadCall(fields, "sendInvites", answers.sendInvites);
    ReadHResult(fields, "updateRecentPlayersResult", answers.updateRecentPlayersResult);
    ReadCall(fields, "flushRecentPlayers", answers.flushRecentPlayers);
    ReadCall(fields, "inviteDialog", answers.inviteDialog);
}

json DescribeActivity(const SimActivity& activity)
{
    return {{"xuid", std::to_string(activity.xuid)},
            {"connectionString", activity.connectionString ? json(*activity.connectionString) : json()},
            {"groupId", activity.groupId ? json(*activity.groupId) : json()},
            {"joinRestriction", activity.joinRestriction},
            {"maxPlayers", activity.maxPlayers},
            {"currentPlayers", activity.currentPlayers},
            {"platform", activity.platform},
            {"allowCrossPlatformJoin", activity.allowCrossPlatformJoin}};
}

json DescribePlayers(const std::vector<SimRecentPlayer>& players)
{
    json list = json::array();
    for (const SimRecentPlayer& player : players) {
        list.push_back({{"xuid", std::to_string(player.xuid)}, {"encounterType", player.encounterType}});
    }
    return list;
}

// The burst's thread: one invite at a time, each under the lock, so that the game's dispatching
// interleaves with it as it would with the system's.
void DeliverBurst(std::int64_t count, const std::string& uriPrefix, std::uint32_t intervalMs)
{
    for (std::int64_t i = 0; i < count; ++i) {
        WithState([&](SimState& state) { QueueInvite(state, uriPrefix + std::to_string(i)); });
        if (intervalMs > 0 && !Workers::Instance().Pause(std::chrono::milliseconds(intervalMs))) {
            return;
        }
    }
}

} // namespace

json ProgramMultiplayer(const json& request)
{
    ControlFields fields(request, "multiplayer",
                         {"activities",
                          "xuidResult",
                          "setActivityStartResult",
                          "setActivityResults",
                          "setActivityDefault",
                          "setActivityResultResult",
                          "getActivityStartResult",
                          "getActivityResults",
                          "getActivityDefault",
                          "getActivityResultResult",
                          "getActivityBufferResult",
                          "deleteActivityStartResult",
                          "deleteActivityResults",
                          "deleteActivityDefault",
                          "deleteActivityResultResult",
                          "sendInvitesStartResult",
                          "sendInvitesResults",
                          "sendInvitesDefault",
                          "sendInvitesResultResult",
                          "updateRecentPlayersResult",
                          "flushRecentPlayersStartResult",
                          "flushRecentPlayersResults",
                          "flushRecentPlayersDefault",
                          "flushRecentPlayersResultResult",
                          "inviteDialogStartResult",
                          "inviteDialogResults",
                          "inviteDialogDefault",
                          "inviteDialogResultResult"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.multiplayer, ReadMultiplayer); });
}

json InviteBurst(const json& request)
{
    ControlFields fields(request, "inviteBurst", {"count", "uriPrefix", "intervalMs"});
    fields.Require("count");
    fields.Require("uriPrefix");
    const auto count = fields.Integer("count", 1, kMaxBurst);
    const auto uriPrefix = fields.String("uriPrefix");
    const auto intervalMs = fields.Integer("intervalMs", 0, kMaxIntervalMs);
    if (fields.Failed()) {
        return Sim::Refusal(fields.Error());
    }
    const auto interval = static_cast<std::uint32_t>(intervalMs.value_or(0));
    Workers::Instance().Submit([count = *count, prefix = *uriPrefix, interval] { DeliverBurst(count, prefix, interval); });
    return Sim::Success({{"started", *count}});
}

json DescribeMultiplayer(const MultiplayerData& multiplayer)
{
    json activities = json::array();
    for (const auto& [xuid, activity] : multiplayer.activities) {
        activities.push_back(DescribeActivity(activity));
    }
    json invites = json::array();
    for (const SimInviteSent& sent : multiplayer.invitesSent) {
        json xuids = json::array();
        for (const std::uint64_t xuid : sent.xuids) {
            xuids.push_back(std::to_string(xuid));
        }
        invites.push_back({{"xuids", std::move(xuids)},
                           {"allowCrossPlatformJoin", sent.allowCrossPlatformJoin},
                           {"connectionString", sent.connectionString ? json(*sent.connectionString) : json()}});
    }
    return {{"activities", std::move(activities)},
            {"invitesSent", std::move(invites)},
            {"pendingRecentPlayers", DescribePlayers(multiplayer.pendingRecentPlayers)},
            {"recentPlayers", DescribePlayers(multiplayer.recentPlayers)},
            {"flushes", multiplayer.flushes},
            {"dialogsShown", multiplayer.dialogsShown}};
}

} // namespace Vyro::XboxSim
