// Xbox statistics and leaderboards against the simulated GDK: the names and statistics sent, the
// conversions of values and of "skipToXuid", the rows of a leaderboard page, refused parameters,
// every failing call, and requests still on their way when the channel unloads.
#include <set>

#include "XboxChannelFixture.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

json Statistics(const char* action, const json& xbox) { return {{"action", action}, {"requestId", "s"}, {"xbox", xbox}}; }
json Board(const json& xbox) { return {{"requestId", "l"}, {"xbox", xbox}}; }

json Error(const std::string& message, const char* requestId, std::uint32_t result = 0)
{
    json error{{"channel", "xbox"}, {"message", message}, {"requestId", requestId}};
    if (result != 0) {
        error["third_error_code"] = Signed(result);
    }
    return error;
}

std::vector<std::uint32_t> Ranks(const Reply& reply)
{
    std::vector<std::uint32_t> ranks;
    for (const json& row : reply.body["xbox"]["rows"]) {
        ranks.push_back(row["rank"]);
    }
    return ranks;
}

class XboxStatsTest : public XboxChannelTest {
protected:
    void SetUp() override
    {
        XboxChannelTest::SetUp();
        LoadAndSignIn();
    }
    Reply Stats(const json& params) { return CallAndTick(&XboxChannelSDK::Statistics, params); }
    Reply Leaderboard(const json& params) { return CallAndTick(&XboxChannelSDK::Leaderboard, params); }
};

TEST_F(XboxStatsTest, AReadAsksForTheNamesThatAreStringsAndGivesTheServicesTypes)
{
    const Reply reply = Stats(Statistics("get", {{"names", {"Level", 7, "BestLap", nullptr, "Missing"}}}));
    ASSERT_EQ(reply.code, 0) << reply.body;
    const json call = Calls("XblUserStatisticsGetSingleUserStatisticsAsync").at(0);
    EXPECT_EQ(call["names"], (json{"Level", "BestLap", "Missing"}));
    EXPECT_EQ(call["scid"], kScid);
    EXPECT_EQ(call["xuid"], kXuid);
    EXPECT_EQ(reply.body, (json{{"channel", "xbox"},
                                {"requestId", "s"},
                                {"xbox",
                                 {{"stats",
                                   {{{"name", "Level"}, {"type", "Integer"}, {"value", "7"}},
                                    {{"name", "BestLap"}, {"type", "Double"}, {"value", "81.25"}}}}}}}));

    Sim({{"op", "services"}, {"statistics", {{{"name", "Level"}, {"type", nullptr}, {"value", nullptr}}}}});
    EXPECT_EQ(Stats(Statistics("get", {{"names", {"level"}}})).body["xbox"]["stats"],
              (json{{{"name", "Level"}, {"type", "Unknown"}, {"value", ""}}}));

    for (const json& xbox : {json{{"names", {1, 2}}}, json{{"names", "Level"}}, json(3), json::object()}) {
        EXPECT_EQ(Call(&XboxChannelSDK::Statistics, Statistics("get", xbox)).body,
                  Error("No stat names provided in xbox.names array.", "s"));
        EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "GetStatistics: No stat names provided");
    }
}

TEST_F(XboxStatsTest, WrittenStatisticsAreConvertedAsGivenAndReadBack)
{
    const json stats{{{"name", "Level"}, {"value", "12"}},
                     {{"name", "Title"}, {"type", "string"}, {"value", "ten"}},
                     {{"name", "Rank"}, {"value", "ten"}},
                     {{"name", "Score"}, {"type", "String"}, {"value", "  42.5 points"}},
                     {{"name", "Huge"}, {"value", "1e999"}},
                     5,
                     {{"value", "3"}}};
    EXPECT_EQ(Stats(Statistics("update", {{"stats", stats}})).body, (json{{"channel", "xbox"}, {"requestId", "s"}, {"xbox", json::object()}}));
    EXPECT_EQ(Calls("XblTitleManagedStatsUpdateStatsAsync").at(0)["statistics"],
              (json{{{"name", "Level"}, {"type", "number"}, {"value", 12.0}},
                    {{"name", "Title"}, {"type", "string"}, {"value", "ten"}},
                    {{"name", "Rank"}, {"type", "number"}, {"value", 0.0}},
                    {{"name", "Score"}, {"type", "number"}, {"value", 42.5}},
                    {{"name", "Huge"}, {"type", "number"}, {"value", 0.0}}}));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning),
              (std::vector<std::string>{"UpdateStatistics: Invalid number value 'ten' for stat 'Rank': no number at the start",
                                        "UpdateStatistics: Invalid number value '1e999' for stat 'Huge': out of range",
                                        "UpdateStatistics: Skipping stat with empty name"}));

    const Reply read = Stats(Statistics("get", {{"names", {"Level", "Title", "Rank", "Score"}}}));
    EXPECT_EQ(read.body["xbox"]["stats"], (json{{{"name", "Level"}, {"type", "Double"}, {"value", "12"}},
                                                {{"name", "Title"}, {"type", "String"}, {"value", "ten"}},
                                                {{"name", "Rank"}, {"type", "Double"}, {"value", "0"}},
                                                {{"name", "Score"}, {"type", "Double"}, {"value", "42.5"}}}));
}

TEST_F(XboxStatsTest, WritesWithoutUsableStatisticsAreRefusedBeforeAnythingStarts)
{
    const std::pair<json, std::string> refused[] = {
        {Statistics("update", {{"stats", {{{"value", "1"}}, {{"name", ""}}}}}), "No valid stats to update."},
        {Statistics("update", {{"stats", json::array()}}), "No valid stats to update."},
        {Statistics("update", {{"stats", {{"name", "Level"}}}}), "No stats provided in xbox.stats array."},
        {Statistics("update", 3), "No stats provided in xbox.stats array."},
        {Statistics("update", {{"stats", {{{"name", "Level"}, {"value", 42}}}}}), "Invalid xbox.stats[0].value: expected a string."},
        {Statistics("update", {{"stats", {1, {{"name", 5}}}}}), "Invalid xbox.stats[1].name: expected a string."},
    };
    for (const auto& [params, message] : refused) {
        EXPECT_EQ(Call(&XboxChannelSDK::Statistics, params).body, Error(message, "s")) << params;
    }
    EXPECT_TRUE(Calls("XblTitleManagedStatsUpdateStatsAsync").empty());
}

TEST_F(XboxStatsTest, ALeaderboardQueryCarriesTheParametersAndEveryRowBecomesAnObject)
{
    const Reply reply = Leaderboard(Board({{"statName", "Score"}}));
    ASSERT_EQ(reply.code, 0) << reply.body;
    EXPECT_EQ(Calls("XblLeaderboardGetLeaderboardAsync").at(0)["query"],
              (json{{"xuid", "0"}, {"scid", kScid}, {"leaderboardName", "Score"}, {"statName", "Score"}, {"socialGroup", 0},
                    {"additionalColumns", 0}, {"order", 0}, {"maxItems", 10}, {"skipToXuid", "0"}, {"skipToRank", 0},
                    {"continuationToken", nullptr}, {"queryType", 1}}));
    const json& page = reply.body["xbox"];
    EXPECT_EQ(page["totalRowCount"], 5);
    EXPECT_EQ(page["hasNext"], false);
    EXPECT_EQ(page["rows"][0], (json{{"rank", 1}, {"xuid", "2533274900000001"}, {"gamertag", "Amber Kite"}, {"percentile", 1.0},
                                     {"value", "9800"}}));
    EXPECT_EQ(page["rows"][4]["value"], "") << "a row without column values";

    Leaderboard(Board({{"statName", "Score"}, {"queryType", 0}, {"socialGroup", 1}, {"sortOrder", 1}, {"maxItems", 2}, {"skipToRank", 3}}));
    const json query = Calls("XblLeaderboardGetLeaderboardAsync").at(1)["query"];
    EXPECT_EQ(query["queryType"], 0);
    EXPECT_EQ(query["socialGroup"], 1);
    EXPECT_EQ(query["order"], 1);
    EXPECT_EQ(query["maxItems"], 2);
    EXPECT_EQ(query["skipToRank"], 3);

    const Reply ranked = Leaderboard(Board({{"statName", "Score"}, {"skipToRank", 3}, {"maxItems", 2}}));
    EXPECT_EQ(Ranks(ranked), (std::vector<std::uint32_t>{3, 4}));
    EXPECT_EQ(ranked.body["xbox"]["hasNext"], true);
}

TEST_F(XboxStatsTest, SkipToXuidReadsLeadingDigitsOrANumberAndOtherwiseTheTop)
{
    EXPECT_EQ(Ranks(Leaderboard(Board({{"statName", "Score"}, {"skipToXuid", "2533274900000004x"}}))), (std::vector<std::uint32_t>{4, 5}));
    EXPECT_EQ(Ranks(Leaderboard(Board({{"statName", "Score"}, {"skipToXuid", 2533274900000002u}}))), (std::vector<std::uint32_t>{2, 3, 4, 5}));
    EXPECT_TRUE(log_.Messages(Vyro::LogLevel::Warning).empty());

    Leaderboard(Board({{"statName", "Score"}, {"skipToXuid", "abc"}}));
    Leaderboard(Board({{"statName", "Score"}, {"skipToXuid", "-12"}}));
    Leaderboard(Board({{"statName", "Score"}, {"skipToXuid", "99999999999999999999"}}));
    Leaderboard(Board({{"statName", "Score"}, {"skipToXuid", true}}));
    Leaderboard(Board({{"statName", "Score"}, {"skipToXuid", ""}}));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning),
              (std::vector<std::string>{"GetLeaderboard: Invalid skipToXuid 'abc': no number at the start",
                                        "GetLeaderboard: Invalid skipToXuid '-12': no number at the start",
                                        "GetLeaderboard: Invalid skipToXuid '99999999999999999999': out of range"}));
    const json calls = Calls("XblLeaderboardGetLeaderboardAsync");
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0]["query"]["skipToXuid"], "2533274900000004");
    for (std::size_t i = 2; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i]["query"]["skipToXuid"], "0") << i;
    }
}

TEST_F(XboxStatsTest, LeaderboardParametersOfTheWrongTypeAreRefusedBeforeAnythingStarts)
{
    EXPECT_EQ(Call(&XboxChannelSDK::Leaderboard, Board(json::object())).body, Error("No statName provided in xbox.statName.", "l"));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "GetLeaderboard: No statName provided");
    const std::pair<json, std::string> refused[] = {
        {Board({{"statName", 5}}), "Invalid xbox.statName: expected a string."},
        {Board(json::array()), "Invalid xbox: expected an object."},
        {Board({{"statName", "Score"}, {"maxItems", "x"}}), "Invalid xbox.maxItems: expected an unsigned 32-bit integer."},
        {Board({{"statName", "Score"}, {"skipToRank", -2}}), "Invalid xbox.skipToRank: expected an unsigned 32-bit integer."},
        {Board({{"statName", "Score"}, {"queryType", 2147483648u}}), "Invalid xbox.queryType: expected a 32-bit integer."},
        {Board({{"statName", "Score"}, {"sortOrder", {{"x", 1}}}}), "Invalid xbox.sortOrder: expected a 32-bit integer."},
        {Board({{"statName", "Score"}, {"skipToXuid", -1}}),
         "Invalid xbox.skipToXuid: expected an unsigned 64-bit integer or a string of digits."},
    };
    for (const auto& [params, message] : refused) {
        EXPECT_EQ(Call(&XboxChannelSDK::Leaderboard, params).body, Error(message, "l")) << params;
    }
    EXPECT_TRUE(Calls("XblLeaderboardGetLeaderboardAsync").empty());
}

TEST_F(XboxStatsTest, EveryFailingCallIsAnsweredWithItsHResult)
{
    Sim({{"op", "services"},
         {"statisticsStartResult", "0x80004005"},
         {"updateStatisticsStartResult", "0x80004005"},
         {"leaderboardStartResult", "0x80004005"}});
    EXPECT_EQ(Call(&XboxChannelSDK::Statistics, Statistics("get", {{"names", {"Level"}}})).body,
              Error("XblUserStatisticsGetSingleUserStatisticsAsync failed: 0x80004005", "s", 0x80004005));
    EXPECT_EQ(Call(&XboxChannelSDK::Statistics, Statistics("update", {{"stats", {{{"name", "Level"}, {"value", "1"}}}}})).body,
              Error("XblTitleManagedStatsUpdateStatsAsync failed: 0x80004005", "s", 0x80004005));
    EXPECT_EQ(Call(&XboxChannelSDK::Leaderboard, Board({{"statName", "Score"}})).body,
              Error("XblLeaderboardGetLeaderboardAsync failed: 0x80004005", "l", 0x80004005));

    Sim({{"op", "services"},
         {"statisticsStartResult", 0},
         {"updateStatisticsStartResult", 0},
         {"leaderboardStartResult", 0},
         {"statisticsResultSizeResult", "0x80190193"},
         {"leaderboardResultSizeResult", "0x80190193"},
         {"updateStatisticsResults", {"0x80190190"}}});
    EXPECT_EQ(Stats(Statistics("get", {{"names", {"Level"}}})).body, Error("Failed to get statistics result size.", "s", 0x80190193));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblUserStatisticsGetSingleUserStatisticsResultSize failed: 0x80190193");
    EXPECT_EQ(Leaderboard(Board({{"statName", "Score"}})).body, Error("Failed to get leaderboard result size.", "l", 0x80190193));
    EXPECT_EQ(Stats(Statistics("update", {{"stats", {{{"name", "Level"}, {"value", "1"}}}}})).body,
              Error("Failed to update statistics: 0x80190190", "s", 0x80190190));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblTitleManagedStatsUpdateStatsAsync completed with error: 0x80190190");

    Sim({{"op", "services"},
         {"statisticsResultSizeResult", 0},
         {"leaderboardResultSizeResult", 0},
         {"statisticsResultResult", "0x8007000E"},
         {"leaderboardResultResult", "0x8007000E"}});
    EXPECT_EQ(Stats(Statistics("get", {{"names", {"Level"}}})).body, Error("Failed to get statistics results.", "s", 0x8007000E));
    EXPECT_EQ(Leaderboard(Board({{"statName", "Score"}})).body, Error("Failed to get leaderboard results.", "l", 0x8007000E));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblLeaderboardGetLeaderboardResult failed: 0x8007000E");
}

TEST_F(XboxStatsTest, UnloadAnswersEveryRequestStillOnItsWayOnceAndLeavesNothingOpen)
{
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->Achievements(R"({"action":"get","requestId":"a"})", &Record);
    channel_->Leaderboard(R"({"requestId":"l","xbox":{"statName":"Score"}})", &Record);
    channel_->Statistics(R"({"action":"get","requestId":"s","xbox":{"names":["Level"]}})", &Record);
    channel_->Tick();
    EXPECT_TRUE(Replies().empty());

    Sim({{"op", "set"}, {"holdWork", "none"}});
    channel_->Unload("{}", &Record);
    ASSERT_EQ(Replies().size(), 4u);
    EXPECT_EQ(Replies()[3].body, (json{{"channel", "xbox"}}));
    std::set<std::string> answered;
    for (std::size_t i = 0; i < 3; ++i) {
        answered.insert(Replies()[i].body["message"].get<std::string>());
        EXPECT_EQ(Replies()[i].body["third_error_code"], Signed(0x80004004));
    }
    EXPECT_EQ(answered, (std::set<std::string>{"Failed to get achievements result: 0x80004004",
                                               "Failed to get leaderboard result size.", "Failed to get statistics result size."}));
    Sim({{"op", "releaseWork"}});
    channel_->Tick();
    EXPECT_EQ(Replies().size(), 4u);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

} // namespace
} // namespace XboxTest
