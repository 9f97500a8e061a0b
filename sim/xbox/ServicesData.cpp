#include "ServicesData.h"

#include <cctype>

namespace Vyro::XboxSim {

namespace {

SimReward Gamerscore(const char* value) { return {std::string("Gamerscore"), std::string(value), 1, std::string("Int")}; }

SimRequirement Progress(const char* current) { return {std::string("1"), std::string(current), std::string("100")}; }

} // namespace

// Ten achievements, enough for several pages: earned and locked ones, with and without progression
// requirements, rewards of several value types, one reward whose value is not a number.
std::vector<SimAchievement> ServicesData::DefaultAchievements()
{
    std::vector<SimAchievement> list{
        {std::string("1"), std::string("First Light"), 1, {Gamerscore("10")}, {Progress("100")}, 1767225600, 0},
        {std::string("2"), std::string("Long Road"), 3, {Gamerscore("25")}, {Progress("40")}, 0, 0},
        {std::string("3"), std::string("Hidden Cache"), 2, {Gamerscore("15")}, {}, 0, 0},
        {std::string("4"),
         std::string("Collector"),
         3,
         {{std::string("Badge"), std::string("badge-collector"), 3, std::string("String")},
          {std::string("Bonus"), std::string("lots"), 1, std::string("Int")},
          Gamerscore("30")},
         {Progress("75")},
         0,
         0},
        {std::string("5"), std::string("Night Owl"), 1, {Gamerscore("5")}, {}, 1767312000, 0},
    };
    for (int number = 6; number <= 10; ++number) {
        const std::string id = std::to_string(number);
        list.push_back({id, "Milestone " + id, 2, {Gamerscore("20"), Gamerscore("50")}, {Progress("0")}, 0, 0});
    }
    return list;
}

std::map<std::string, SimStatistic> ServicesData::DefaultStatistics()
{
    std::map<std::string, SimStatistic> stats;
    for (SimStatistic statistic : {SimStatistic{"Level", std::string("Integer"), std::string("7")},
                                   SimStatistic{"BestLap", std::string("Double"), std::string("81.25")},
                                   SimStatistic{"Title", std::string("String"), std::string("Novice")}}) {
        stats.emplace(StatisticKey(statistic.name), std::move(statistic));
    }
    return stats;
}

// Every leaderboard the game asks for has these rows; the last one has no column value.
std::vector<SimLeaderboardRow> ServicesData::DefaultLeaderboard()
{
    return {{2533274900000001, "Amber Kite", 1.0, std::string("9800")},
            {2533274900000002, "Brass Otter", 0.8, std::string("9100")},
            {2533274936810592, "Lumen Drift 27", 0.6, std::string("7350")},
            {2533274900000004, "Cobalt Fern", 0.4, std::string("5020")},
            {2533274900000005, "Dune Lantern", 0.2, std::nullopt}};
}

std::string StatisticKey(const std::string& name)
{
    std::string key = name;
    for (char& c : key) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

} // namespace Vyro::XboxSim
