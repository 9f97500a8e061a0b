// Xbox social against the simulated GDK: friend lists answered once the social manager's group has
// loaded, graph changes turned into social events, block lists with and without gamertags, profiles,
// every failing call, and a sign-out or Unload while requests wait.
#include <map>

#include "XboxChannelFixture.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

constexpr char kHarbor[] = "2533274900000101";
constexpr char kAmber[] = "2533274900000102";

json Error(const std::string& message, const char* requestId, std::uint32_t result = 0)
{
    json error{{"channel", "xbox"}, {"message", message}, {"requestId", requestId}};
    if (result != 0) {
        error["third_error_code"] = Signed(result);
    }
    return error;
}

json SocialEvent(const char* name) { return {{"channel", "xbox"}, {"xbox", {{"eventType", name}}}}; }

json Entry(const char* xuid, const char* gamertag) { return {{"userId", xuid}, {"displayName", gamertag}}; }

json BlockList(const json& entries) { return {{"channel", "xbox"}, {"requestId", "b"}, {"xbox", {{"blockList", entries}}}}; }

class XboxSocialTest : public XboxChannelTest {
protected:
    void SetUp() override
    {
        XboxChannelTest::SetUp();
        LoadAndSignIn();
        channel_->RegisterCallback(VYROCHANNEL_EVENT_SOCIAL, &RecordEvent);
    }
    void TearDown() override
    {
        channel_.reset();
        const json leftOpen = Sim({{"op", "state"}})["leftOpen"];
        EXPECT_FALSE(leftOpen.contains("socialLocalUsers") || leftOpen.contains("socialGroups") || leftOpen.contains("xblContexts"))
            << leftOpen;
        XboxChannelTest::TearDown();
    }

    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            channel_->Tick();
        }
    }
    void FriendList(const char* requestId)
    {
        channel_->FriendList(json{{"requestId", requestId}}.dump().c_str(), &Record);
    }
    // A friend list asked for and answered, the group loaded.
    Reply LoadedFriendList()
    {
        FriendList("f");
        TickUntil([] { return !Replies().empty(); });
        return Replies().back();
    }
    Reply Profile(const json& params) { return CallAndTick(&XboxChannelSDK::UserProfile, params); }
};

TEST_F(XboxSocialTest, AFriendListWaitsForTheGroupAndEveryWaitingRequestIsAnsweredInOrder)
{
    Sim({{"op", "social"},
         {"loadAfterDoWorks", 3},
         {"friends",
          {{{"xuid", kHarbor}, {"gamertag", "Quiet Harbor"}, {"presence", 1}},
           {{"xuid", kAmber}, {"gamertag", "Amber Vector"}, {"presence", 2}},
           {{"xuid", 7}, {"gamertag", "Night Lantern"}, {"presence", 3}},
           {{"xuid", 8}, {"gamertag", "Unknown State"}, {"presence", 0}}}}});
    FriendList("first");
    FriendList("second");
    Ticks(2);
    EXPECT_TRUE(Replies().empty()) << "the group has not loaded yet";
    channel_->Tick();
    ASSERT_EQ(Replies().size(), 2u);
    const json friends = json::array({{{"userId", kHarbor}, {"displayName", "Quiet Harbor"}, {"status", 1}, {"xbox", {{"presenceState", 1}}}},
                                      {{"userId", kAmber}, {"displayName", "Amber Vector"}, {"status", 2}, {"xbox", {{"presenceState", 2}}}},
                                      {{"userId", "7"}, {"displayName", "Night Lantern"}, {"status", 3}, {"xbox", {{"presenceState", 3}}}},
                                      {{"userId", "8"}, {"displayName", "Unknown State"}, {"status", 0}, {"xbox", {{"presenceState", 0}}}}});
    EXPECT_EQ(Replies()[0].code, 0);
    EXPECT_EQ(Replies()[0].body, (json{{"channel", "xbox"}, {"requestId", "first"}, {"friends", friends}}));
    EXPECT_EQ(Replies()[1].body, (json{{"channel", "xbox"}, {"requestId", "second"}, {"friends", friends}}));
    Ticks(5);
    EXPECT_EQ(Replies().size(), 2u) << "each answered once";

    FriendList("loaded");
    EXPECT_EQ(Replies().size(), 2u) << "answered by the next Tick, not at once";
    channel_->Tick();
    ASSERT_EQ(Replies().size(), 3u);
    EXPECT_EQ(Replies()[2].body["requestId"], "loaded");

    const json added = Calls("XblSocialManagerAddLocalUser");
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0]["extraDetailLevel"], 3);
    const json group = Calls("XblSocialManagerCreateSocialUserGroupFromFilters").at(0);
    EXPECT_EQ(group["presenceFilter"], 7);
    EXPECT_EQ(group["relationshipFilter"], 1);
    EXPECT_TRUE(Events().empty());
}

TEST_F(XboxSocialTest, GraphChangesBecomeSocialEventsInOrderSixtyFourPerTick)
{
    LoadedFriendList();
    Sim({{"op", "socialChanges"},
         {"changes",
          {{{"kind", "removed"}, {"xuid", kAmber}},
           {{"kind", "presence"}, {"xuid", kHarbor}, {"presence", 3}},
           {{"kind", "relationship"}, {"xuid", kHarbor}, {"favorite", false}}}}});
    Ticks(2);
    ASSERT_EQ(Events().size(), 2u) << "presence changes are not passed on";
    EXPECT_EQ(Events()[0].code, 0);
    EXPECT_EQ(Events()[0].body, SocialEvent("UsersRemovedFromSocialGraph"));
    EXPECT_EQ(Events()[1].body, SocialEvent("SocialRelationshipsChanged"));

    Events().clear();
    Sim({{"op", "socialChanges"}, {"repeat", 250}, {"changes", {{{"kind", "added"}, {"xuid", 99}}, {{"kind", "removed"}, {"xuid", 99}}}}});
    channel_->Tick();
    for (std::size_t tick = 1; tick <= 8; ++tick) {
        channel_->Tick();
        ASSERT_EQ(Events().size(), std::min<std::size_t>(64 * tick, 500)) << "after Tick " << tick;
    }
    for (std::size_t i = 0; i < Events().size(); ++i) {
        ASSERT_EQ(Events()[i].body, SocialEvent(i % 2 == 0 ? "UsersAddedToSocialGraph" : "UsersRemovedFromSocialGraph")) << i;
    }
}

TEST_F(XboxSocialTest, ABlockListNamesThePlayersWithProfilesAndDegradesWithoutThem)
{
    const json both = json::array({Entry("2533274900000201", "Rusty Comet"), Entry("2533274900000202", "")});
    const json bare = json::array({Entry("2533274900000201", ""), Entry("2533274900000202", "")});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, BlockList(both));
    EXPECT_EQ(Calls("XblProfileGetUserProfilesAsync").at(0)["xuids"], json::array({"2533274900000201", "2533274900000202"}));

    Sim({{"op", "social"}, {"profilesCountResult", "0x80004005"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, BlockList(bare));
    Sim({{"op", "social"}, {"profilesCountResult", 0}, {"profilesResultResult", "0x80004005"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, BlockList(bare));
    EXPECT_TRUE(log_.Messages(Vyro::LogLevel::Warning).empty());

    Sim({{"op", "social"}, {"profilesStartResult", "0x80004005"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, BlockList(bare));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(),
              "XblProfileGetUserProfilesAsync failed: 0x80004005, returning XUIDs without gamertags");

    const std::size_t lookups = Calls("XblProfileGetUserProfilesAsync").size();
    Sim({{"op", "social"}, {"avoidList", json::array()}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, BlockList(json::array()));
    EXPECT_EQ(Calls("XblProfileGetUserProfilesAsync").size(), lookups) << "no profile lookup for an empty list";
}

TEST_F(XboxSocialTest, EveryFailingBlockListCallIsAnsweredWithItsHResult)
{
    Sim({{"op", "social"}, {"avoidListStartResult", "0x8007000E"}});
    EXPECT_EQ(Call(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, Error("XblPrivacyGetAvoidListAsync failed: 0x8007000E", "b", 0x8007000E));
    Sim({{"op", "social"}, {"avoidListStartResult", 0}, {"avoidListCountResult", "0x8007000E"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, Error("Failed to get block list count.", "b", 0x8007000E));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblPrivacyGetAvoidListResultCount failed: 0x8007000E");
    Sim({{"op", "social"}, {"avoidListCountResult", 0}, {"avoidListResultResult", "0x8007000E"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::BlockList, {{"requestId", "b"}}).body, Error("Failed to get block list.", "b", 0x8007000E));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblPrivacyGetAvoidListResult failed: 0x8007000E");
}

TEST_F(XboxSocialTest, AUserProfileIsTheOwnUnlessAValidXuidTextNamesAnother)
{
    const Reply own = Profile({{"requestId", "p"}});
    ASSERT_EQ(own.code, 0) << own.body;
    EXPECT_EQ(own.body["profile"]["userId"], kXuid);
    EXPECT_EQ(own.body["profile"]["displayName"], kGamertag);
    EXPECT_EQ(own.body["profile"]["xbox"],
              (json{{"gamertag", kGamertag},
                    {"gamerscore", "3720"},
                    {"appDisplayName", kGamertag},
                    {"appDisplayPictureResizeUri", std::string("https://images.example.net/gamerpic/") + kXuid},
                    {"gameDisplayName", kGamertag},
                    {"gameDisplayPictureResizeUri", std::string("https://images.example.net/gamerpic/") + kXuid}}));

    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", kHarbor}}).body["profile"]["displayName"], "Quiet Harbor");
    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", std::string(" +") + kHarbor}}).body["profile"]["userId"], kHarbor);
    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", ""}}).body["profile"]["userId"], kXuid);
    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", 2533274900000101}}).body["profile"]["userId"], kXuid) << "a number is ignored";
    EXPECT_TRUE(log_.Messages(Vyro::LogLevel::Warning).empty());

    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", "abc"}}).body["profile"]["userId"], kXuid);
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "Invalid xuid 'abc': invalid stoull argument");
    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", "-5"}}).body["profile"]["userId"], kXuid);
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "Invalid xuid '-5': stoull argument out of range");
    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", "18446744073709551616"}}).body["profile"]["userId"], kXuid);
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "Invalid xuid '18446744073709551616': stoull argument out of range");
    EXPECT_EQ(Calls("XblProfileGetUserProfileAsync").back()["xuid"], kXuid);
}

TEST_F(XboxSocialTest, EveryFailingProfileCallIsAnsweredWithItsHResult)
{
    EXPECT_EQ(Profile({{"requestId", "p"}, {"xuid", "12345"}}).body, Error("Failed to get user profile: 0x80190194", "p", 0x80190194));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblProfileGetUserProfileResult failed: 0x80190194");
    Sim({{"op", "social"}, {"profileStartResult", "0x8007000E"}});
    EXPECT_EQ(Call(&XboxChannelSDK::UserProfile, {{"requestId", "p"}}).body,
              Error("XblProfileGetUserProfileAsync failed: 0x8007000E", "p", 0x8007000E));
}

TEST_F(XboxSocialTest, SocialManagerFailuresAnswerOrWaitAsTheManagerAllows)
{
    Sim({{"op", "social"}, {"addLocalUserResult", "0x8007000E"}});
    EXPECT_EQ(Call(&XboxChannelSDK::FriendList, {{"requestId", "f"}}).body, Error("Failed to initialize social services.", "f"));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblSocialManagerAddLocalUser failed: 0x8007000E");
    EXPECT_FALSE(Sim({{"op", "state"}})["leftOpen"].contains("xblContexts"));

    Sim({{"op", "social"}, {"addLocalUserResult", 0}, {"createGroupResult", "0x80004005"}});
    EXPECT_EQ(Call(&XboxChannelSDK::FriendList, {{"requestId", "f"}}).body, Error("Social Manager not initialized.", "f"));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "Failed to create friend group: 0x80004005");
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "Social Manager not initialized");
    channel_->ResetServices();
    Replies().clear();

    Sim({{"op", "social"}, {"createGroupResult", 0}, {"doWorkResult", "0x80004005"}, {"getUsersResult", "0x8007000E"}});
    FriendList("f");
    Ticks(10);
    EXPECT_TRUE(Replies().empty()) << "a manager that cannot work never loads the group";
    Sim({{"op", "social"}, {"doWorkResult", 0}});
    TickUntil([] { return !Replies().empty(); });
    EXPECT_EQ(Replies().back().body, Error("Failed to get friends.", "f", 0x8007000E));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblSocialManagerUserGroupGetUsers failed: 0x8007000E");
}

TEST_F(XboxSocialTest, ASignOutWhileTheGroupLoadsAbortsTheWaitingFriendListAndRemovesTheAddedUser)
{
    Sim({{"op", "social"}, {"loadAfterDoWorks", 1000}});
    FriendList("f");
    Ticks(3);
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    Ticks(5);
    ASSERT_EQ(Replies().size(), 1u);
    EXPECT_EQ(Replies()[0].body, Error("Failed to get friends.", "f", 0x80004004));
    const json added = Calls("XblSocialManagerAddLocalUser").at(0);
    const json removed = Calls("XblSocialManagerRemoveLocalUser");
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0]["user"], added["user"]) << "removed with the handle it was added with, while still open";
    EXPECT_EQ(removed[0]["result"], "0x00000000");
    EXPECT_FALSE(Sim({{"op", "state"}})["leftOpen"].contains("socialGroups"));
}

// Requests made while nobody is signed in all wait for the same silent re-sign-in; each later one
// finds the social object an earlier one made for the new user, and keeps it with its friend list.
TEST_F(XboxSocialTest, RequestsWaitingForTheSameReSignInShareTheSocialObjectAndAreAllAnswered)
{
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    Sim({{"op", "signIn"}});
    Replies().clear();
    FriendList("f");
    channel_->BlockList(R"({"requestId":"b"})", &Record);
    channel_->UserProfile(R"({"requestId":"p"})", &Record);
    TickUntil([] { return Replies().size() == 3; });
    Ticks(5);
    ASSERT_EQ(Replies().size(), 3u);
    std::map<std::string, json> answers;
    for (const Reply& reply : Replies()) {
        answers[reply.body.value("requestId", "")] = reply.body;
    }
    EXPECT_EQ(answers["f"]["friends"].size(), 3u) << answers["f"];
    EXPECT_TRUE(answers["b"]["xbox"].contains("blockList")) << answers["b"];
    EXPECT_TRUE(answers["p"].contains("profile")) << answers["p"];
    EXPECT_EQ(Calls("XUserAddAsync").size(), 2u) << "the sign-in of Load, and one re-sign-in for all three";
    EXPECT_EQ(Calls("XblSocialManagerAddLocalUser").size(), 1u);
}

TEST_F(XboxSocialTest, UnloadAnswersTheCallsInFlightOnceAndLeavesNothingOpen)
{
    Sim({{"op", "social"}, {"loadAfterDoWorks", 1000}});
    FriendList("f");
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->BlockList(R"({"requestId":"b"})", &Record);
    channel_->UserProfile(R"({"requestId":"p"})", &Record);
    channel_->Tick();
    EXPECT_TRUE(Replies().empty());

    Sim({{"op", "set"}, {"holdWork", "none"}});
    channel_->Unload("{}", &Record);
    ASSERT_EQ(Replies().size(), 4u);
    EXPECT_EQ(Replies()[0].body, Error("Failed to get friends.", "f", 0x80004004));
    const bool blockListFirst = Replies()[1].body["requestId"] == "b";
    EXPECT_EQ(Replies()[blockListFirst ? 1 : 2].body, Error("Failed to get block list count.", "b", 0x80004004));
    EXPECT_EQ(Replies()[blockListFirst ? 2 : 1].body, Error("Failed to get user profile: 0x80004004", "p", 0x80004004));
    EXPECT_EQ(Replies()[3].body, (json{{"channel", "xbox"}}));
    Sim({{"op", "releaseWork"}});
    Ticks(3);
    EXPECT_EQ(Replies().size(), 4u);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

} // namespace
} // namespace XboxTest
