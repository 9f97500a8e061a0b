// Xbox multiplayer activity, invites and recent players against the simulated GDK: what each request
// sends and answers, refused parameters, every failing call, game invites arriving in bursts and from
// the system's own thread, and requests still on their way when the channel unloads.
#include <set>

#include "XboxChannelFixture.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

json Request(const char* action, const json& xbox, const char* requestId = "m")
{
    return {{"action", action}, {"requestId", requestId}, {"xbox", xbox}};
}

json Error(const std::string& message, const char* requestId = "m", std::uint32_t result = 0)
{
    json error{{"channel", "xbox"}, {"message", message}, {"requestId", requestId}};
    if (result != 0) {
        error["third_error_code"] = Signed(result);
    }
    return error;
}

json Empty(const char* requestId = "m") { return {{"channel", "xbox"}, {"requestId", requestId}}; }

const json kHost{{"connectionString", "host:3074"}, {"groupId", "lobby-7"}};

class XboxMultiplayerTest : public XboxChannelTest {
protected:
    void SetUp() override
    {
        XboxChannelTest::SetUp();
        LoadAndSignIn();
        channel_->RegisterCallback(4, &RecordEvent);
    }
    Reply Activity(const char* action, const json& xbox) { return CallAndTick(&XboxChannelSDK::Activity, Request(action, xbox)); }
    Reply Invite(const char* action, const json& xbox) { return CallAndTick(&XboxChannelSDK::Invite, Request(action, xbox)); }
    json PendingJoin() { return Call(&XboxChannelSDK::Query, {{"key", "hasJoinSession"}}).body["hasJoinSession"]; }
    std::size_t Warnings() const { return log_.Messages(Vyro::LogLevel::Warning).size(); }
};

TEST_F(XboxMultiplayerTest, ASetActivityIsThePendingJoinAtOnceAndIncompleteOnesStartNothing)
{
    EXPECT_EQ(Call(&XboxChannelSDK::Activity, Request("set", {{"connectionString", "host:3074"}})).body, Error("groupId is required."));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "SetActivity: groupId is empty");
    EXPECT_EQ(Call(&XboxChannelSDK::Activity, Request("set", {{"groupId", "lobby-7"}})).body, Error("connectionString is required."));
    for (const json& players : {json(-1), json("4"), json(4294967296LL), json(2.5)}) {
        json xbox = kHost;
        xbox["maxPlayers"] = players;
        EXPECT_EQ(Call(&XboxChannelSDK::Activity, Request("set", xbox)).body,
                  Error("Invalid xbox.maxPlayers: expected an unsigned 32-bit integer."))
            << players;
    }
    EXPECT_TRUE(Calls("XblMultiplayerActivitySetActivityAsync").empty());
    EXPECT_EQ(PendingJoin(), (json{{"hasJoinSession", false}}));

    Replies().clear();
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    json xbox = kHost;
    xbox.update({{"maxPlayers", 8}, {"currentPlayers", 3}, {"joinRestriction", 2}, {"allowCrossPlatformJoin", false}});
    channel_->Activity(Request("set", xbox).dump().c_str(), &Record);
    EXPECT_EQ(PendingJoin(), (json{{"hasJoinSession", true}, {"connectionString", "host:3074"}})) << "before the service answers";
    Sim({{"op", "releaseWork"}});
    Sim({{"op", "set"}, {"holdWork", "none"}});
    TickUntil([&] { return Replies().size() == 2; });
    EXPECT_EQ(Replies().back().body, Empty());
    const json call = Calls("XblMultiplayerActivitySetActivityAsync").at(0);
    EXPECT_EQ(call["activity"], (json{{"xuid", kXuid}, {"connectionString", "host:3074"}, {"joinRestriction", 2}, {"maxPlayers", 8},
                                      {"currentPlayers", 3}, {"groupId", "lobby-7"}, {"platform", 3}}));
    EXPECT_EQ(call["allowCrossPlatformJoin"], false);

    EXPECT_EQ(Activity("get", {{"xuids", {kXuid}}}).body["xbox"]["activities"],
              (json{{{"xuid", kXuid}, {"connectionString", "host:3074"}, {"groupId", "lobby-7"}, {"maxPlayers", 8},
                     {"currentPlayers", 3}, {"joinRestriction", 2}, {"platform", 3}}}));
    EXPECT_EQ(Activity("delete", json::object()).body, Empty());
    EXPECT_EQ(Activity("get", {{"xuids", {kXuid}}}).body, (json{{"channel", "xbox"}, {"requestId", "m"}, {"xbox", {{"activities", json::array()}}}}));
    EXPECT_EQ(PendingJoin()["connectionString"], "host:3074") << "deleting the activity keeps the pending join";
}

TEST_F(XboxMultiplayerTest, ActivitiesAreReadForTheValidXuidsInTheOrderAsked)
{
    const std::size_t warningsBefore = Warnings();
    EXPECT_EQ(Call(&XboxChannelSDK::Activity, Request("get", {{"xuids", {"abc", " x1", "-5"}}})).body, Error("No valid xuids provided."));
    const auto warnings = log_.Messages(Vyro::LogLevel::Warning);
    ASSERT_EQ(warnings.size(), warningsBefore + 3);
    EXPECT_EQ(warnings[warningsBefore], "GetActivities: Skipping invalid xuid 'abc': invalid stoull argument");
    EXPECT_EQ(warnings.back(), "GetActivities: Skipping invalid xuid '-5': stoull argument out of range");
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "GetActivities: No valid xuids provided");
    EXPECT_EQ(Call(&XboxChannelSDK::Activity, Request("get", {{"xuids", 2533274936810592}})).body, Error("No valid xuids provided."));
    EXPECT_TRUE(Calls("XblMultiplayerActivityGetActivityAsync").empty());

    Sim({{"op", "multiplayer"},
         {"activities",
          {{{"xuid", 900}, {"connectionString", nullptr}, {"groupId", nullptr}, {"platform", 50}},
           {{"xuid", 7}, {"connectionString", "c7"}, {"groupId", "g"}, {"maxPlayers", 4}, {"currentPlayers", 2}, {"joinRestriction", 1}}}}});
    json xuids = json::array();
    for (int i = 1; i <= 1000; ++i) {
        xuids.push_back(i % 2 == 0 ? json(std::to_string(i)) : json(i));
    }
    const Reply reply = Activity("get", {{"xuids", xuids}});
    ASSERT_EQ(reply.code, 0) << reply.body;
    EXPECT_EQ(reply.body["xbox"]["activities"],
              (json{{{"xuid", "7"}, {"connectionString", "c7"}, {"groupId", "g"}, {"maxPlayers", 4}, {"currentPlayers", 2},
                     {"joinRestriction", 1}, {"platform", 3}},
                    {{"xuid", "900"}, {"connectionString", ""}, {"groupId", ""}, {"maxPlayers", 0}, {"currentPlayers", 0},
                     {"joinRestriction", 0}, {"platform", 50}}}));
    EXPECT_EQ(Calls("XblMultiplayerActivityGetActivityAsync").at(0)["xuids"].size(), 1000u);
}

TEST_F(XboxMultiplayerTest, InvitesGoToTheValidXuidsAndTheDialogsCloseIsNoFailure)
{
    const Reply sent = Invite("send", {{"xuids", {"123", 456, "abc", true}}});
    EXPECT_EQ(sent.body, Empty());
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "SendSessionInvite: Skipping invalid xuid 'abc': invalid stoull argument");
    const json call = Calls("XblMultiplayerActivitySendInvitesAsync").at(0);
    EXPECT_EQ(call["xuids"], (json{"123", "456"}));
    EXPECT_EQ(call["allowCrossPlatformJoin"], true);
    EXPECT_EQ(call["connectionString"], "") << "an empty text, not none";
    Invite("send", {{"xuids", {9}}, {"connectionString", "host:1"}, {"allowCrossPlatformJoin", false}});
    EXPECT_EQ(Sim({{"op", "state"}})["multiplayer"]["invitesSent"][1],
              (json{{"xuids", {"9"}}, {"allowCrossPlatformJoin", false}, {"connectionString", "host:1"}}));
    EXPECT_EQ(Call(&XboxChannelSDK::Invite, Request("send", {{"xuids", json::array()}})).body, Error("No valid xuids provided."));
    EXPECT_EQ(Call(&XboxChannelSDK::Invite, Request("send", {{"xuids", {1}}, {"allowCrossPlatformJoin", 1}})).body,
              Error("Invalid xbox.allowCrossPlatformJoin: expected a boolean."));

    // The dialog is the activity's own: it fails while the player has set none.
    EXPECT_EQ(Invite("show", json::object()).body, Error("ShowSessionInvite failed: 0x89240106", "m", 0x89240106));
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::Activity, Request("set", kHost)).code, 0);
    Sim({{"op", "multiplayer"}, {"inviteDialogResults", {"0x80004004", 0, "0x80070005"}}});
    EXPECT_EQ(Invite("show", json::object()).body, Empty()) << "closed without sending";
    EXPECT_EQ(Invite("show", json::object()).body, Empty());
    EXPECT_EQ(Invite("show", json::object()).body, Error("ShowSessionInvite failed: 0x80070005", "m", 0x80070005));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "ShowSessionInvite failed: 0x80070005");
    EXPECT_EQ(Calls("XGameUiShowMultiplayerActivityGameInviteAsync").size(), 4u);
}

TEST_F(XboxMultiplayerTest, RecentPlayersAreAnsweredBeforeTheirUploadWhoseFailureIsOnlyLogged)
{
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    const std::size_t warningsBefore = Warnings();
    const Reply reply = Call(&XboxChannelSDK::RecentPlayers,
                             {{"requestId", "r"}, {"xbox", {{"players", {{{"xuid", "77"}, {"encounterType", 1}}, {{"encounterType", 2}}}}}}});
    EXPECT_EQ(reply.body, Empty("r"));
    EXPECT_EQ(Warnings(), warningsBefore + 1);
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "UpdateRecentPlayers: Skipping entry with missing xuid");
    EXPECT_EQ(Calls("XblMultiplayerActivityUpdateRecentPlayers").at(0)["updates"], (json{{{"xuid", "77"}, {"encounterType", 1}}}));
    EXPECT_EQ(Sim({{"op", "state"}})["multiplayer"]["flushes"], 0);
    Sim({{"op", "releaseWork"}});
    Sim({{"op", "set"}, {"holdWork", "none"}});
    TickUntil([&] { return Sim({{"op", "state"}})["multiplayer"]["flushes"] == 1; });
    EXPECT_EQ(Sim({{"op", "state"}})["multiplayer"]["recentPlayers"], (json{{{"xuid", "77"}, {"encounterType", 1}}}));

    Sim({{"op", "multiplayer"}, {"flushRecentPlayersResults", {"0x80190193"}}});
    Replies().clear();
    EXPECT_EQ(Call(&XboxChannelSDK::RecentPlayers, {{"xbox", {{"players", {{{"xuid", 5}}, {{"xuid", "x"}}, 3}}}}}).code, 0);
    TickUntil([&] { return log_.Messages(Vyro::LogLevel::Warning).back() == "FlushRecentPlayers failed: 0x80190193"; });
    channel_->Tick();
    EXPECT_EQ(Replies().size(), 1u) << "the failed upload is not answered";

    Sim({{"op", "multiplayer"}, {"flushRecentPlayersStartResult", "0x80004005"}});
    EXPECT_EQ(Call(&XboxChannelSDK::RecentPlayers, {{"xbox", {{"players", {{{"xuid", 5}}}}}}}).code, 0);
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "XblMultiplayerActivityFlushRecentPlayersAsync failed: 0x80004005");

    EXPECT_EQ(Call(&XboxChannelSDK::RecentPlayers, {{"requestId", "r"}, {"xbox", {{"players", {{{"xuid", "y"}}}}}}}).body,
              Error("No valid players provided.", "r"));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "UpdateRecentPlayers: Skipping invalid xuid: invalid stoull argument");
    EXPECT_EQ(Call(&XboxChannelSDK::RecentPlayers, {{"requestId", "r"}, {"xbox", {{"players", {{{"xuid", 5}, {"encounterType", "x"}}}}}}}).body,
              Error("Invalid xbox.players[0].encounterType: expected a 32-bit integer.", "r"));
}

TEST_F(XboxMultiplayerTest, EveryFailingCallIsAnsweredWithItsHResult)
{
    Sim({{"op", "multiplayer"},
         {"setActivityStartResult", "0x80004005"},
         {"getActivityStartResult", "0x80004005"},
         {"deleteActivityStartResult", "0x80004005"},
         {"sendInvitesStartResult", "0x80004005"},
         {"inviteDialogStartResult", "0x80004005"},
         {"updateRecentPlayersResult", "0x80004005"}});
    const auto failsAtOnce = [&](Operation operation, const json& request, const char* call) {
        EXPECT_EQ(Call(operation, request).body, Error(std::string(call) + " failed: 0x80004005", "m", 0x80004005)) << call;
        EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), std::string(call) + " failed: 0x80004005");
    };
    failsAtOnce(&XboxChannelSDK::Activity, Request("set", kHost), "XblMultiplayerActivitySetActivityAsync");
    EXPECT_EQ(PendingJoin(), (json{{"hasJoinSession", false}})) << "an activity that did not start is no pending join";
    failsAtOnce(&XboxChannelSDK::Activity, Request("get", {{"xuids", {1}}}), "XblMultiplayerActivityGetActivityAsync");
    failsAtOnce(&XboxChannelSDK::Activity, Request("delete", json::object()), "XblMultiplayerActivityDeleteActivityAsync");
    failsAtOnce(&XboxChannelSDK::Invite, Request("send", {{"xuids", {1}}}), "XblMultiplayerActivitySendInvitesAsync");
    failsAtOnce(&XboxChannelSDK::Invite, Request("show", json::object()), "XGameUiShowMultiplayerActivityGameInviteAsync");
    failsAtOnce(&XboxChannelSDK::RecentPlayers, Request("", {{"players", {{{"xuid", 1}}}}}), "XblMultiplayerActivityUpdateRecentPlayers");
    EXPECT_TRUE(Calls("XblMultiplayerActivityFlushRecentPlayersAsync").empty());
    Sim({{"op", "multiplayer"}, {"xuidResult", "0x80070005"}});
    EXPECT_EQ(Call(&XboxChannelSDK::Activity, Request("set", kHost)).body,
              Error("XblContextGetXboxUserId failed: 0x80070005", "m", 0x80070005));

    Sim({{"op", "multiplayer"},
         {"xuidResult", 0},
         {"setActivityStartResult", 0},
         {"getActivityStartResult", 0},
         {"deleteActivityStartResult", 0},
         {"sendInvitesStartResult", 0},
         {"setActivityResults", {"0x80190190"}},
         {"deleteActivityResults", {"0x80190190"}},
         {"sendInvitesResults", {"0x80190190"}},
         {"getActivityResultResult", "0x80190193"}});
    EXPECT_EQ(Activity("set", kHost).body, Error("SetActivity failed: 0x80190190", "m", 0x80190190));
    EXPECT_EQ(Activity("delete", json::object()).body, Error("DeleteActivity failed: 0x80190190", "m", 0x80190190));
    EXPECT_EQ(Invite("send", {{"xuids", {1}}}).body, Error("SendSessionInvite failed: 0x80190190", "m", 0x80190190));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "SendSessionInvite failed: 0x80190190");
    EXPECT_EQ(Activity("get", {{"xuids", {1}}}).body, Error("Failed to get activity result size.", "m", 0x80190193));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblMultiplayerActivityGetActivityResultSize failed: 0x80190193");
    Sim({{"op", "multiplayer"}, {"getActivityResultResult", 0}, {"getActivityBufferResult", "0x8007000E"}});
    EXPECT_EQ(Activity("get", {{"xuids", {1}}}).body, Error("Failed to get activity results.", "m", 0x8007000E));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblMultiplayerActivityGetActivityResult failed: 0x8007000E");
}

TEST_F(XboxMultiplayerTest, AnInviteWithoutQueryIsOnlyItsUrlAndEncodedMembersAreDecoded)
{
    Sim({{"op", "invite"}, {"uri", "ms-xbl-multiplayer://inviteHandleAccept?connectionString=host%3A3074%2Fa%20b&sender=x%2By"}});
    Sim({{"op", "invite"}, {"uri", "ms-xbl-multiplayer://inviteHandleAccept"}});
    TickUntil([&] { return Events().size() == 2; });
    EXPECT_EQ(Events()[0].body["xbox"],
              (json{{"url", "ms-xbl-multiplayer://inviteHandleAccept?connectionString=host%3A3074%2Fa%20b&sender=x%2By"},
                    {"connectionString", "host:3074/a b"},
                    {"sender", "x+y"}}));
    EXPECT_EQ(Events()[1].code, 0);
    EXPECT_EQ(Events()[1].body, (json{{"channel", "xbox"}, {"xbox", {{"url", "ms-xbl-multiplayer://inviteHandleAccept"}}}}));
    EXPECT_EQ(PendingJoin()["connectionString"], "host:3074/a b") << "an invite without a connection string leaves it";
}

// Invites queued faster than the game ticks all arrive, in order, at most 64 per Tick: the first Tick
// runs the handler for every one of them, and their events go out from the next.
TEST_F(XboxMultiplayerTest, TwoHundredInvitesBetweenTwoTicksArriveInOrderSixtyFourPerTick)
{
    for (int i = 0; i < 200; ++i) {
        Sim({{"op", "invite"}, {"uri", "ms-xbl-multiplayer://accept?n=" + std::to_string(i)}});
    }
    std::vector<std::size_t> counts;
    for (int tick = 0; tick < 5; ++tick) {
        channel_->Tick();
        counts.push_back(Events().size());
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 64, 128, 192, 200}));
    for (std::size_t i = 0; i < Events().size(); ++i) {
        ASSERT_EQ(Events()[i].body["xbox"]["n"], std::to_string(i));
    }
}

// The system's own thread delivers invites while the game thread ticks, and signs the player out
// in the middle of them: what arrives is in order, and nothing arrives for the handler that is gone.
TEST_F(XboxMultiplayerTest, InvitesFromTheSystemsThreadWhileTheGameTicksAndTheUserSignsOut)
{
    Sim({{"op", "inviteBurst"}, {"count", 300}, {"uriPrefix", "ms-xbl-multiplayer://accept?connectionString=burst-"}});
    TickUntil([&] { return Events().size() == 300; });
    for (std::size_t i = 0; i < Events().size(); ++i) {
        ASSERT_EQ(Events()[i].body["xbox"]["connectionString"], "burst-" + std::to_string(i));
    }
    EXPECT_EQ(PendingJoin()["connectionString"], "burst-299");

    Events().clear();
    Sim({{"op", "inviteBurst"}, {"count", 200}, {"uriPrefix", "ms-xbl-multiplayer://accept?n="}, {"intervalMs", 1}});
    TickUntil([&] { return Events().size() >= 5; });
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    const std::size_t arrived = Events().size();
    for (int i = 0; i < 20; ++i) {
        channel_->Tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_LE(Events().size(), arrived + 64) << "at most what was queued before the handler went";
    for (std::size_t i = 0; i < Events().size(); ++i) {
        ASSERT_EQ(Events()[i].body["xbox"]["n"], std::to_string(i));
    }
    EXPECT_EQ(PendingJoin(), (json{{"hasJoinSession", false}}));
}

TEST_F(XboxMultiplayerTest, UnloadAnswersEveryRequestOnItsWayOnceAndLeavesNothingOpen)
{
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->Activity(Request("set", kHost, "set").dump().c_str(), &Record);
    channel_->Activity(Request("get", {{"xuids", {1}}}, "get").dump().c_str(), &Record);
    channel_->Activity(Request("delete", json::object(), "delete").dump().c_str(), &Record);
    channel_->Invite(Request("show", json::object(), "show").dump().c_str(), &Record);
    channel_->Invite(Request("send", {{"xuids", {1}}}, "send").dump().c_str(), &Record);
    channel_->RecentPlayers(Request("", {{"players", {{{"xuid", 1}}}}}, "recent").dump().c_str(), &Record);
    Sim({{"op", "invite"}, {"uri", "ms-xbl-multiplayer://accept?connectionString=late"}});
    ASSERT_EQ(Replies().size(), 1u);
    EXPECT_EQ(Replies()[0].body, Empty("recent"));

    Sim({{"op", "set"}, {"holdWork", "none"}});
    channel_->Unload("{}", &Record);
    ASSERT_EQ(Replies().size(), 7u);
    std::set<std::string> answered;
    for (std::size_t i = 1; i < 6; ++i) {
        answered.insert(Replies()[i].body.dump());
    }
    EXPECT_EQ(answered, (std::set<std::string>{Error("SetActivity failed: 0x80004004", "set", 0x80004004).dump(),
                                               Error("Failed to get activity result size.", "get", 0x80004004).dump(),
                                               Error("DeleteActivity failed: 0x80004004", "delete", 0x80004004).dump(),
                                               Empty("show").dump(),
                                               Error("SendSessionInvite failed: 0x80004004", "send", 0x80004004).dump()}));
    EXPECT_EQ(Replies()[6].body, (json{{"channel", "xbox"}}));
    Sim({{"op", "releaseWork"}});
    channel_->Tick();
    EXPECT_EQ(Replies().size(), 7u);
    EXPECT_TRUE(Events().empty()) << "the invite queued at Unload is dropped";
    const json state = Sim({{"op", "state"}});
    EXPECT_EQ(state["leftOpen"], json::object());
    EXPECT_EQ(state["registrations"]["gameInvite"], json::array());
}

} // namespace
} // namespace XboxTest
