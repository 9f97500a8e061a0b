#pragma once

// What the simulated Xbox services know: the title's achievements and the player's progress, the
// player's statistics, a leaderboard, the result handles the game holds, and the programmed answers
// of every services call. "reset" restores the defaults below.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Handles.h"
#include "SimSettings.h"

namespace Vyro::XboxSim {

using OptionalText = std::optional<std::string>;

struct SimReward {
    OptionalText name;
    OptionalText value;
    std::uint32_t rewardType = 1; // gamerscore
    OptionalText valueType;        // "Int", "String", …
};

struct SimRequirement {
    OptionalText id;
    OptionalText current;
    OptionalText target;
};

struct SimAchievement {
    OptionalText id;
    OptionalText name;
    std::uint32_t progressState = 2; // not started
    std::vector<SimReward> rewards;
    std::vector<SimRequirement> requirements;
    std::int64_t timeUnlocked = 0;
    // The progress last set for an achievement without requirements.
    std::uint32_t progress = 0;
};

struct SimStatistic {
    std::string name;
    OptionalText type;
    OptionalText value;
};

struct SimLeaderboardRow {
    std::uint64_t xuid = 0;
    std::string gamertag;
    double percentile = 0;
    OptionalText value; // none: the row has no column values
};

// The programmed answers: for each call that starts work, its start HRESULT and the outcomes of its
// next calls; for each result function, its HRESULT.
struct ServicesAnswers {
    HResult achievementsStart = Results::kOk;
    OutcomeList achievements;
    HResult achievementsResult = Results::kOk;
    HResult achievementsRead = Results::kOk;
    HResult achievementsHasNext = Results::kOk;
    HResult updateStart = Results::kOk;
    OutcomeList update;
    HResult statisticsStart = Results::kOk;
    OutcomeList statistics;
    HResult statisticsResultSize = Results::kOk;
    HResult statisticsResult = Results::kOk;
    HResult updateStatisticsStart = Results::kOk;
    OutcomeList updateStatistics;
    HResult leaderboardStart = Results::kOk;
    OutcomeList leaderboard;
    HResult leaderboardResultSize = Results::kOk;
    HResult leaderboardResult = Results::kOk;
};

// A page of achievements the game holds: the records, laid out in memory the handle owns, valid until
// it is closed.
struct AchievementsResultRecord {
    std::vector<std::uint64_t> storage;
    std::size_t count = 0;
    bool hasNext = false;
};

struct ServicesData {
    std::vector<SimAchievement> achievements = DefaultAchievements();
    // By name, compared without case as the service does.
    std::map<std::string, SimStatistic> statistics = DefaultStatistics();
    std::vector<SimLeaderboardRow> leaderboard = DefaultLeaderboard();
    ServicesAnswers answers;
    HandleTable<AchievementsResultRecord> achievementsResults;

    static std::vector<SimAchievement> DefaultAchievements();
    static std::map<std::string, SimStatistic> DefaultStatistics();
    static std::vector<SimLeaderboardRow> DefaultLeaderboard();
};

// The key of a statistic's name: lower case.
std::string StatisticKey(const std::string& name);

} // namespace Vyro::XboxSim
