// Xbox achievements against the simulated GDK: what a page asks the service for and how its records
// become the answer, progress updates, refused parameters, every failing call, and a sign-out while a
// page is on its way.
#include "XboxChannelFixture.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

json Get(const json& xbox)
{
    json params{{"action", "get"}, {"requestId", "a"}};
    if (!xbox.is_null()) {
        params["xbox"] = xbox;
    }
    return params;
}

json Update(const json& xbox) { return {{"action", "update"}, {"requestId", "u"}, {"xbox", xbox}}; }

std::vector<std::string> Ids(const Reply& reply)
{
    std::vector<std::string> ids;
    for (const json& achievement : reply.body["xbox"]["achievements"]) {
        ids.push_back(achievement["id"]);
    }
    return ids;
}

json Error(const std::string& message, const char* requestId, std::uint32_t result = 0)
{
    json error{{"channel", "xbox"}, {"message", message}, {"requestId", requestId}};
    if (result != 0) {
        error["third_error_code"] = Signed(result);
    }
    return error;
}

class XboxAchievementsTest : public XboxChannelTest {
protected:
    void SetUp() override
    {
        XboxChannelTest::SetUp();
        LoadAndSignIn();
    }
    void TearDown() override
    {
        EXPECT_FALSE(Sim({{"op", "state"}})["leftOpen"].contains("achievementsResults")) << "a result handle left open";
        XboxChannelTest::TearDown();
    }
    Reply Achievements(const json& params) { return CallAndTick(&XboxChannelSDK::Achievements, params); }
};

TEST_F(XboxAchievementsTest, AGetWithoutParametersAsksForAHundredOfAllKindsAndReadsEachRecord)
{
    const Reply reply = Achievements(Get(nullptr));
    ASSERT_EQ(reply.code, 0) << reply.body;
    const json call = Calls("XblAchievementsGetAchievementsForTitleIdAsync").at(0);
    EXPECT_EQ(call["xuid"], kXuid);
    EXPECT_EQ(call["titleId"], 0x5A7E3C19);
    EXPECT_EQ(call["type"], 1);
    EXPECT_EQ(call["orderBy"], 0);
    EXPECT_EQ(call["unlockedOnly"], false);
    EXPECT_EQ(call["skipItems"], 0);
    EXPECT_EQ(call["maxItems"], 100);

    const json& page = reply.body["xbox"];
    EXPECT_EQ(page["totalCount"], 10);
    EXPECT_EQ(page["hasNext"], false);
    EXPECT_EQ(reply.body["requestId"], "a");
    EXPECT_EQ(page["achievements"][0], (json{{"id", "1"}, {"name", "First Light"}, {"progressState", 1}, {"gamerscore", 10},
                                             {"percentComplete", 100}, {"timeUnlocked", 1767225600}}));
    // No requirements: no progress to report.
    EXPECT_EQ(page["achievements"][2]["percentComplete"], 0);
    EXPECT_EQ(page["achievements"][2]["gamerscore"], 15);
    // A text-valued reward and a whole-number reward that does not convert are passed over.
    EXPECT_EQ(page["achievements"][3]["gamerscore"], 30);
    EXPECT_EQ(page["achievements"][3]["percentComplete"], 75);
    EXPECT_EQ(page["achievements"][3]["progressState"], 3);
    // Of two whole-number rewards the first counts.
    EXPECT_EQ(page["achievements"][5]["gamerscore"], 20);
    EXPECT_EQ(Calls("XblAchievementsResultCloseHandle").size(), 1u);
}

TEST_F(XboxAchievementsTest, PagesFollowSkipAndMaxItemsAndTheUnlockedFilter)
{
    Reply reply = Achievements(Get({{"skipItems", 4}, {"maxItems", 3}}));
    EXPECT_EQ(Ids(reply), (std::vector<std::string>{"5", "6", "7"}));
    EXPECT_EQ(reply.body["xbox"]["totalCount"], 3);
    EXPECT_EQ(reply.body["xbox"]["hasNext"], true);

    reply = Achievements(Get({{"skipItems", 7}, {"maxItems", 3}}));
    EXPECT_EQ(Ids(reply), (std::vector<std::string>{"8", "9", "10"}));
    EXPECT_EQ(reply.body["xbox"]["hasNext"], false);

    reply = Achievements(Get({{"unlockedOnly", true}, {"maxItems", 4294967295u}}));
    EXPECT_EQ(Ids(reply), (std::vector<std::string>{"1", "5"}));
    EXPECT_EQ(Calls("XblAchievementsGetAchievementsForTitleIdAsync").back()["maxItems"], 4294967295u);
}

TEST_F(XboxAchievementsTest, NullTextsAndValuesThatDoNotConvertReadAsEmptyAndZero)
{
    Sim({{"op", "services"},
         {"achievements",
          {{{"id", nullptr},
            {"name", nullptr},
            {"rewards",
             {{{"value", nullptr}, {"valueType", "Int"}},
              {{"value", "-5"}, {"valueType", "Int"}},
              {{"value", "99999999999999999999"}, {"valueType", "Int"}},
              {{"value", "40"}, {"valueType", nullptr}},
              {{"value", "12 points"}, {"valueType", "Int"}}}},
            {"requirements", {{{"current", nullptr}}}}},
           {{"id", "b"}, {"requirements", {{{"current", "-1"}}, {{"current", "50"}}}}},
           {{"id", "c"}, {"requirements", {{{"current", "4294967296"}}}}}}}});
    const Reply reply = Achievements(Get(json::object()));
    const json& list = reply.body["xbox"]["achievements"];
    ASSERT_EQ(list.size(), 3u) << reply.body;
    EXPECT_EQ(list[0]["id"], "");
    EXPECT_EQ(list[0]["name"], "");
    // Trailing text is ignored; signs and overflow never become a wrapped number.
    EXPECT_EQ(list[0]["gamerscore"], 12);
    EXPECT_EQ(list[0]["percentComplete"], 0);
    EXPECT_EQ(list[1]["percentComplete"], 0) << "only the first requirement counts";
    EXPECT_EQ(list[1]["gamerscore"], 0);
    EXPECT_EQ(list[2]["percentComplete"], 0);
}

TEST_F(XboxAchievementsTest, UpdatesSetProgressAndAnUnchangedProgressIsStillASuccess)
{
    EXPECT_EQ(Achievements(Update({{"achievementId", "2"}, {"percentComplete", 60}})).body,
              (json{{"channel", "xbox"}, {"requestId", "u"}, {"xbox", {{"achievementId", "2"}}}}));
    EXPECT_EQ(Achievements(Get(json::object())).body["xbox"]["achievements"][1]["percentComplete"], 60);

    const Reply same = Achievements(Update({{"achievementId", "2"}, {"percentComplete", 60}}));
    EXPECT_EQ(same.code, 0);
    EXPECT_EQ(same.body["xbox"]["achievementId"], "2");
    EXPECT_EQ(Calls("XAsyncGetStatus").back()["result"], "0x80190130");

    const json call = Calls("XblAchievementsUpdateAchievementAsync").at(0);
    EXPECT_EQ(call["xuid"], kXuid);
    EXPECT_EQ(call["achievementId"], "2");
    EXPECT_EQ(call["percentComplete"], 60);

    const Reply unknown = Achievements(Update({{"achievementId", "nope"}, {"percentComplete", 5}}));
    EXPECT_EQ(unknown.code, -1);
    EXPECT_EQ(unknown.body, Error("Failed to update achievement: 0x80190194", "u", 0x80190194));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblAchievementsUpdateAchievementAsync failed: 0x80190194");
}

TEST_F(XboxAchievementsTest, MissingAndMistypedParametersAreRefusedBeforeAnythingStarts)
{
    EXPECT_EQ(Call(&XboxChannelSDK::Achievements, Update(json::object())).body, Error("Achievement ID is required.", "u"));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "Achievement ID is empty");
    const std::pair<json, std::string> refused[] = {
        {Get(3), "Invalid xbox: expected an object."},
        {Get({{"maxItems", "ten"}}), "Invalid xbox.maxItems: expected an unsigned 32-bit integer."},
        {Get({{"maxItems", -1}}), "Invalid xbox.maxItems: expected an unsigned 32-bit integer."},
        {Get({{"skipItems", 4294967296u}}), "Invalid xbox.skipItems: expected an unsigned 32-bit integer."},
        {Get({{"skipItems", 1.5}}), "Invalid xbox.skipItems: expected an unsigned 32-bit integer."},
        {Get({{"unlockedOnly", "yes"}}), "Invalid xbox.unlockedOnly: expected a boolean."},
        {Update({{"achievementId", 5}}), "Invalid xbox.achievementId: expected a string."},
        {Update({{"achievementId", "2"}, {"percentComplete", -3}}), "Invalid xbox.percentComplete: expected an unsigned 32-bit integer."},
        {Update({{"achievementId", "2"}, {"percentComplete", {{"value", 3}}}}),
         "Invalid xbox.percentComplete: expected an unsigned 32-bit integer."},
    };
    for (const auto& [params, message] : refused) {
        const Reply reply = Call(&XboxChannelSDK::Achievements, params);
        EXPECT_EQ(reply.code, -1) << params;
        EXPECT_EQ(reply.body["message"], message) << params;
    }
    EXPECT_TRUE(Calls("XblAchievementsGetAchievementsForTitleIdAsync").empty());
    EXPECT_TRUE(Calls("XblAchievementsUpdateAchievementAsync").empty());
}

TEST_F(XboxAchievementsTest, EveryFailingCallIsAnsweredWithItsHResultAndTheResultHandleIsClosed)
{
    Sim({{"op", "services"}, {"achievementsStartResult", "0x80004005"}, {"updateStartResult", "0x8019019B"}});
    EXPECT_EQ(Call(&XboxChannelSDK::Achievements, Get(nullptr)).body,
              Error("XblAchievementsGetAchievementsForTitleIdAsync failed: 0x80004005", "a", 0x80004005));
    EXPECT_EQ(Call(&XboxChannelSDK::Achievements, Update({{"achievementId", "2"}})).body,
              Error("XblAchievementsUpdateAchievementAsync failed: 0x8019019B", "u", 0x8019019B));

    Sim({{"op", "services"}, {"achievementsStartResult", 0}, {"updateStartResult", 0}, {"achievementsResults", {"0x80190193"}},
         {"updateResults", {"0x80070005"}}});
    EXPECT_EQ(Achievements(Get(nullptr)).body, Error("Failed to get achievements result: 0x80190193", "a", 0x80190193));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblAchievementsGetAchievementsForTitleIdResult failed: 0x80190193");
    EXPECT_EQ(Achievements(Update({{"achievementId", "2"}, {"percentComplete", 90}})).body,
              Error("Failed to update achievement: 0x80070005", "u", 0x80070005));

    Sim({{"op", "services"}, {"achievementsReadResult", "0x8007000E"}});
    EXPECT_EQ(Achievements(Get(nullptr)).body, Error("Failed to read achievements: 0x8007000E", "a", 0x8007000E));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblAchievementsResultGetAchievements failed: 0x8007000E");

    // Without hasNext the page is still answered, as the last one.
    Sim({{"op", "services"}, {"achievementsReadResult", 0}, {"achievementsHasNextResult", "0x80004005"}});
    const Reply page = Achievements(Get({{"maxItems", 2}}));
    EXPECT_EQ(page.code, 0);
    EXPECT_EQ(page.body["xbox"]["hasNext"], false);

    Sim({{"op", "set"}, {"titleIdResult", "0x80004001"}});
    EXPECT_EQ(Call(&XboxChannelSDK::Achievements, Get(nullptr)).body, Error("XGameGetXboxTitleId failed: 0x80004001", "a", 0x80004001));
    EXPECT_EQ(Calls("XblAchievementsResultCloseHandle").size(), 2u);
}

TEST_F(XboxAchievementsTest, ASignOutWhileAPageIsOnItsWayAnswersItOnceAndLeavesNoHandle)
{
    Sim({{"op", "set"}, {"holdWork", "running"}});
    const std::size_t before = Replies().size();
    channel_->Achievements(Get(nullptr).dump().c_str(), &Record);
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    Sim({{"op", "set"}, {"holdWork", "none"}});
    Sim({{"op", "releaseWork"}});
    TickUntil([&] { return Replies().size() > before; });
    for (int i = 0; i < 20; ++i) {
        channel_->Tick();
    }
    ASSERT_EQ(Replies().size(), before + 1);
    EXPECT_EQ(Replies().back().body, Error("Failed to get achievements result: 0x89245101", "a", 0x89245101));
}

} // namespace
} // namespace XboxTest
