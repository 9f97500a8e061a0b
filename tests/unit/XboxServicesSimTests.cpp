// The simulated Xbox services in process: result handles checked and journalled, results laid out in
// the caller's buffer, programmed failures, and the "services" control op.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <nlohmann/json.hpp>

#include "XboxServicesSimFixture.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;
using Gdk::HResult;
using Gdk::XAsyncBlock;

namespace {

constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057);
constexpr HResult kIllegalMethodCall = static_cast<HResult>(0x8000000E);
constexpr HResult kNotSufficientBuffer = static_cast<HResult>(0x8007007A);
using XboxServicesSimTest::kScid;
using XboxServicesSimTest::Misuse;

class XboxServicesSim : public XboxServicesSimTest::ServicesSimTest {
protected:
    // A completed page of achievements: its result handle.
    Xbl::XblAchievementsResultHandle Page(std::uint32_t skip, std::uint32_t max)
    {
        XAsyncBlock block = Block();
        EXPECT_EQ(XblAchievementsGetAchievementsForTitleIdAsync(context, 2533274936810592, 0x5A7E3C19, Xbl::XblAchievementType::All,
                                                                false, Xbl::XblAchievementOrderBy::DefaultOrder, skip, max, &block),
                  0);
        EXPECT_EQ(XAsyncGetStatus(&block, true), 0);
        Xbl::XblAchievementsResultHandle page = nullptr;
        EXPECT_EQ(XblAchievementsGetAchievementsForTitleIdResult(&block, &page), 0);
        EXPECT_EQ(XblAchievementsGetAchievementsForTitleIdResult(&block, &page), kIllegalMethodCall) << "a result is read once";
        return page;
    }

};

} // namespace

TEST_F(XboxServicesSim, AchievementResultHandlesAreCheckedAndThoseLeftOpenAreReported)
{
    Xbl::XblAchievementsResultHandle page = Page(8, 5);
    const Xbl::XblAchievement* achievements = nullptr;
    std::size_t count = 0;
    bool hasNext = true;
    ASSERT_EQ(XblAchievementsResultGetAchievements(page, &achievements, &count), 0);
    ASSERT_EQ(count, 2u);
    EXPECT_STREQ(achievements[1].id, "10");
    EXPECT_STREQ(achievements[1].serviceConfigurationId, kScid);
    EXPECT_EQ(achievements[1].rewardsCount, 2u);
    EXPECT_STREQ(achievements[1].rewards[1].value, "50");
    EXPECT_STREQ(achievements[1].rewards[1].valueType, "Int");
    EXPECT_STREQ(achievements[1].progression.requirements[0].currentProgressValue, "0");
    ASSERT_EQ(XblAchievementsResultHasNext(page, &hasNext), 0);
    EXPECT_FALSE(hasNext);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"]["achievementsResults"], 1);

    XblAchievementsResultCloseHandle(page);
    EXPECT_EQ(XblAchievementsResultGetAchievements(page, &achievements, &count), kInvalidArg);
    XblAchievementsResultCloseHandle(page);
    EXPECT_EQ(Misuse(), json::array({json::array({"XblAchievementsGetAchievementsForTitleIdResult", "the result was read already"}),
                                     json::array({"XblAchievementsResultGetAchievements", "unknown or closed achievements result handle"}),
                                     json::array({"XblAchievementsResultCloseHandle", "unknown or closed achievements result handle"})}));
    EXPECT_FALSE(Sim({{"op", "state"}})["leftOpen"].contains("achievementsResults"));
}

TEST_F(XboxServicesSim, StatisticResultsAreLaidOutInTheCallersBufferOnlyWhenItIsLargeEnough)
{
    Xbl::XblTitleManagedStatistic written[] = {{"Rank", Xbl::XblTitleManagedStatType::Number, 3.5, nullptr},
                                               {"Motto", Xbl::XblTitleManagedStatType::String, 0, "onwards"}};
    XAsyncBlock update = Block();
    ASSERT_EQ(XblTitleManagedStatsUpdateStatsAsync(context, written, 2, &update), 0);
    ASSERT_EQ(XAsyncGetStatus(&update, true), 0);

    const char* names[] = {"rank", "MOTTO", "Nothing"};
    XAsyncBlock read = Block();
    ASSERT_EQ(XblUserStatisticsGetSingleUserStatisticsAsync(context, 2533274936810592, kScid, names, 3, &read), 0);
    ASSERT_EQ(XAsyncGetStatus(&read, true), 0);
    std::size_t size = 0;
    ASSERT_EQ(XblUserStatisticsGetSingleUserStatisticsResultSize(&read, &size), 0);
    std::vector<std::uint64_t> buffer(size / 8 + 1);
    Xbl::XblUserStatisticsResult* result = nullptr;
    EXPECT_EQ(XblUserStatisticsGetSingleUserStatisticsResult(&read, size - 1, buffer.data(), &result, nullptr), kNotSufficientBuffer);
    std::size_t used = 0;
    ASSERT_EQ(XblUserStatisticsGetSingleUserStatisticsResult(&read, size, buffer.data(), &result, &used), 0);
    EXPECT_EQ(used, size);
    const auto* begin = reinterpret_cast<const char*>(buffer.data());
    ASSERT_EQ(reinterpret_cast<const char*>(result), begin);
    ASSERT_EQ(result->serviceConfigStatisticsCount, 1u);
    const Xbl::XblServiceConfigurationStatistic& configuration = result->serviceConfigStatistics[0];
    EXPECT_STREQ(configuration.serviceConfigurationId, kScid);
    ASSERT_EQ(configuration.statisticsCount, 2u);
    EXPECT_STREQ(configuration.statistics[0].statisticName, "Rank");
    EXPECT_STREQ(configuration.statistics[0].statisticType, "Double");
    EXPECT_STREQ(configuration.statistics[0].value, "3.5");
    EXPECT_STREQ(configuration.statistics[1].value, "onwards");
    EXPECT_TRUE(configuration.statistics[1].value >= begin && configuration.statistics[1].value < begin + size) << "points into the buffer";
}

TEST_F(XboxServicesSim, LeaderboardPagesStartAtThePlayerOrRankAndRowsMayHaveNoValue)
{
    Xbl::XblLeaderboardQuery query{};
    std::strcpy(query.scid, kScid);
    query.statName = "Score";
    query.maxItems = 2;
    query.skipToXboxUserId = 2533274900000004;
    query.queryType = Xbl::XblLeaderboardQueryType::TitleManagedStatBackedGlobal;
    XAsyncBlock block = Block();
    ASSERT_EQ(XblLeaderboardGetLeaderboardAsync(context, query, &block), 0);
    ASSERT_EQ(XAsyncGetStatus(&block, true), 0);
    std::size_t size = 0;
    ASSERT_EQ(XblLeaderboardGetLeaderboardResultSize(&block, &size), 0);
    std::vector<std::uint64_t> buffer(size / 8 + 1);
    Xbl::XblLeaderboardResult* result = nullptr;
    ASSERT_EQ(XblLeaderboardGetLeaderboardResult(&block, size, buffer.data(), &result, nullptr), 0);
    EXPECT_EQ(result->totalRowCount, 5u);
    ASSERT_EQ(result->rowsCount, 2u);
    EXPECT_EQ(result->rows[0].rank, 4u);
    EXPECT_STREQ(result->rows[0].gamertag, "Cobalt Fern");
    EXPECT_STREQ(result->rows[0].columnValues[0], "5020");
    EXPECT_EQ(result->rows[1].columnValues, nullptr);
    EXPECT_EQ(result->rows[1].columnValuesCount, 0u);
    EXPECT_FALSE(result->hasNext);
    EXPECT_STREQ(result->columns[0].statName, "Score");
    EXPECT_TRUE(Misuse().empty());
}

TEST_F(XboxServicesSim, ServicesCallsFailAsProgrammedAndBadControlRequestsChangeNothing)
{
    Sim({{"op", "services"}, {"leaderboardStartResult", "0x80004005"}, {"updateResults", {{{"result", "0x80190130"}, {"delayMs", 1}}}}});
    Xbl::XblLeaderboardQuery query{};
    query.statName = "Score";
    XAsyncBlock board = Block();
    EXPECT_EQ(XblLeaderboardGetLeaderboardAsync(context, query, &board), static_cast<HResult>(0x80004005));
    XAsyncBlock update = Block();
    ASSERT_EQ(XblAchievementsUpdateAchievementAsync(context, 1, "3", 50, &update), 0);
    EXPECT_EQ(XAsyncGetStatus(&update, true), static_cast<HResult>(0x80190130));
    XAsyncBlock unknownContext = Block();
    EXPECT_EQ(XblAchievementsUpdateAchievementAsync(nullptr, 1, "3", 50, &unknownContext), kInvalidArg);
    EXPECT_EQ(Misuse(), json::array({json::array({"XblAchievementsUpdateAchievementAsync", "null Xbox services context"})}));

    ExpectRefused({{R"({"op":"services","achievements":[{"id":"1","progressState":7}]})",
                    "services: "},
                   {R"({"op":"services","leaderboard":[{"gamertag":"x"}]})", "services: "},
                   {R"({"op":"services","statisticsResultResult":"bad"})", "services: \"statisticsResultResult\" must be"},
                   {R"({"op":"services","rewards":[]})", "services: "}});
    EXPECT_EQ(Sim({{"op", "state"}})["services"]["achievements"].size(), 10u);
}
