// The simulated multiplayer activity service and send-invite dialog in process: activities laid out in
// the caller's buffer, each result read once, the dialog's outcomes, and the control ops.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimControlRequests.h"
#include "XboxServicesSimFixture.h"
#include "XboxSim.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;
using Gdk::HResult;
using Gdk::XAsyncBlock;

namespace {

constexpr HResult kIllegalMethodCall = static_cast<HResult>(0x8000000E);
constexpr HResult kNotSufficientBuffer = static_cast<HResult>(0x8007007A);

using XboxServicesSimTest::kScid;
using XboxMultiplayerSim = XboxServicesSimTest::ServicesSimTest;

TEST_F(XboxMultiplayerSim, ActivitiesAreLaidOutInTheCallersBufferAndReadOnce)
{
    std::uint64_t self = 0;
    ASSERT_EQ(XblContextGetXboxUserId(context, &self), 0);
    const Xbl::XblMultiplayerActivityInfo mine{0, "host:1", Xbl::XblMultiplayerActivityJoinRestriction::Followed, 4, 2, "g",
                                               Xbl::XblMultiplayerActivityPlatform::Android};
    XAsyncBlock set = Block();
    ASSERT_EQ(XblMultiplayerActivitySetActivityAsync(context, &mine, true, &set), 0);
    ASSERT_EQ(XAsyncGetStatus(&set, true), 0);
    Sim({{"op", "multiplayer"}, {"activities", {{{"xuid", 5}, {"connectionString", nullptr}}}}});
    ASSERT_EQ(XblMultiplayerActivitySetActivityAsync(context, &mine, true, &set), 0);
    ASSERT_EQ(XAsyncGetStatus(&set, true), 0);

    const std::uint64_t xuids[] = {5, 6, self};
    XAsyncBlock get = Block();
    ASSERT_EQ(XblMultiplayerActivityGetActivityAsync(context, xuids, 3, &get), 0);
    ASSERT_EQ(XAsyncGetStatus(&get, true), 0);
    std::size_t size = 0;
    ASSERT_EQ(XblMultiplayerActivityGetActivityResultSize(&get, &size), 0);
    std::vector<std::uint64_t> buffer(size / 8 + 1);
    Xbl::XblMultiplayerActivityInfo* activities = nullptr;
    std::size_t count = 0;
    EXPECT_EQ(XblMultiplayerActivityGetActivityResult(&get, size - 1, buffer.data(), &activities, &count, nullptr), kNotSufficientBuffer);
    std::size_t used = 0;
    ASSERT_EQ(XblMultiplayerActivityGetActivityResult(&get, size, buffer.data(), &activities, &count, &used), 0);
    EXPECT_EQ(used, size);
    ASSERT_EQ(count, 2u) << "a player without an activity is absent";
    const auto* begin = reinterpret_cast<const unsigned char*>(buffer.data());
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(activities), begin);
    EXPECT_EQ(activities[0].xuid, 5u);
    EXPECT_EQ(activities[0].connectionString, nullptr);
    EXPECT_EQ(activities[1].xuid, self);
    EXPECT_STREQ(activities[1].connectionString, "host:1");
    EXPECT_GE(reinterpret_cast<const unsigned char*>(activities[1].groupId), begin);
    EXPECT_LT(reinterpret_cast<const unsigned char*>(activities[1].groupId), begin + size);
    EXPECT_EQ(activities[1].platform, Xbl::XblMultiplayerActivityPlatform::Win32) << "the service sets the platform";
    EXPECT_EQ(activities[1].maxPlayers, 4u);

    EXPECT_EQ(XblMultiplayerActivityGetActivityResult(&get, size, buffer.data(), &activities, &count, nullptr), kIllegalMethodCall);
    const json misuse = Sim({{"op", "misuse"}})["calls"];
    ASSERT_EQ(misuse.size(), 1u);
    EXPECT_EQ(misuse[0]["fn"], "XblMultiplayerActivityGetActivityResult");
}

TEST_F(XboxMultiplayerSim, InvitesRecentPlayersAndTheDialogAreRecordedAsProgrammed)
{
    const std::uint64_t xuids[] = {11, 12};
    XAsyncBlock send = Block();
    ASSERT_EQ(XblMultiplayerActivitySendInvitesAsync(context, xuids, 2, false, nullptr, &send), 0);
    ASSERT_EQ(XAsyncGetStatus(&send, true), 0);
    const Xbl::XblMultiplayerActivityRecentPlayerUpdate met{12, Xbl::XblMultiplayerActivityEncounterType::Opponent};
    ASSERT_EQ(XblMultiplayerActivityUpdateRecentPlayers(context, &met, 1), 0);
    json state = Sim({{"op", "state"}})["multiplayer"];
    EXPECT_EQ(state["invitesSent"], (json{{{"xuids", {"11", "12"}}, {"allowCrossPlatformJoin", false}, {"connectionString", nullptr}}}));
    EXPECT_EQ(state["pendingRecentPlayers"], (json{{{"xuid", "12"}, {"encounterType", 2}}}));
    XAsyncBlock flush = Block();
    ASSERT_EQ(XblMultiplayerActivityFlushRecentPlayersAsync(context, &flush), 0);
    ASSERT_EQ(XAsyncGetStatus(&flush, true), 0);
    state = Sim({{"op", "state"}})["multiplayer"];
    EXPECT_EQ(state["recentPlayers"].size(), 1u);
    EXPECT_EQ(state["pendingRecentPlayers"], json::array());

    // The dialog invites to the player's activity: without one it cannot open.
    constexpr auto kNotConfigured = static_cast<HResult>(0x89240106);
    XAsyncBlock refused = Block();
    ASSERT_EQ(XGameUiShowMultiplayerActivityGameInviteAsync(&refused, user), 0);
    EXPECT_EQ(XAsyncGetStatus(&refused, true), kNotConfigured);
    EXPECT_EQ(XGameUiShowMultiplayerActivityGameInviteResult(&refused), kNotConfigured);
    std::uint64_t self = 0;
    ASSERT_EQ(XblContextGetXboxUserId(context, &self), 0);
    Sim({{"op", "multiplayer"}, {"activities", {{{"xuid", std::to_string(self)}, {"connectionString", "host:1"}}}}});
    Sim({{"op", "multiplayer"}, {"inviteDialogResults", {"0x80004004", "0x80070005"}}});
    for (const HResult expected : {static_cast<HResult>(0x80004004), static_cast<HResult>(0x80070005), 0}) {
        XAsyncBlock dialog = Block();
        ASSERT_EQ(XGameUiShowMultiplayerActivityGameInviteAsync(&dialog, user), 0);
        EXPECT_EQ(XAsyncGetStatus(&dialog, true), expected);
        EXPECT_EQ(XGameUiShowMultiplayerActivityGameInviteResult(&dialog), expected);
    }
    EXPECT_EQ(Sim({{"op", "misuse"}})["count"], 0);
}

TEST_F(XboxMultiplayerSim, BadControlRequestsAreRefused)
{
    ExpectRefused({{R"({"op":"inviteBurst","uriPrefix":"x"})", "inviteBurst: "},
                   {R"({"op":"inviteBurst","count":0,"uriPrefix":"x"})", "inviteBurst: "},
                   {R"({"op":"inviteBurst","count":2,"uriPrefix":"x","intervalMs":-1})", "inviteBurst: "},
                   {R"({"op":"multiplayer","activities":[{"connectionString":"x"}]})", "multiplayer: "},
                   {R"({"op":"multiplayer","sendInvitesResults":"x"})", "multiplayer: "},
                   {R"({"op":"multiplayer","unknown":1})", "multiplayer: "}});
    EXPECT_EQ(Sim({{"op", "state"}})["multiplayer"]["activities"], json::array());
}

} // namespace
