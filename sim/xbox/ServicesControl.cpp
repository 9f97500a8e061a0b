// The "services" control op: the Xbox services' catalogue (achievements, statistics, leaderboard) and
// the answers of their calls.
#include "ServicesControl.h"

#include <limits>

#include "ControlOpShapes.h"
#include "ControlReaders.h"
#include "ControlReply.h"
#include "SimState.h"

namespace Vyro::XboxSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;
using nlohmann::json;

constexpr std::int64_t kProgressStates = 3;
constexpr std::int64_t kRewardTypes = 3;

// A text member that may be null (no text at all); absent leaves `target`.
void ReadText(ControlFields& fields, const char* name, OptionalText& target) { Assign(fields.StringOrNull(name), target); }

std::optional<double> AsNumber(const json& value) { return value.is_number() ? std::optional(value.get<double>()) : std::nullopt; }

void ReadReward(ControlFields& fields, SimReward& reward)
{
    ReadText(fields, "name", reward.name);
    ReadText(fields, "value", reward.value);
    Assign(fields.Integer("type", 0, kRewardTypes), reward.rewardType);
    ReadText(fields, "valueType", reward.valueType);
}

void ReadRequirement(ControlFields& fields, SimRequirement& requirement)
{
    ReadText(fields, "id", requirement.id);
    ReadText(fields, "current", requirement.current);
    ReadText(fields, "target", requirement.target);
}

void ReadAchievement(ControlFields& fields, SimAchievement& achievement)
{
    ReadText(fields, "id", achievement.id);
    ReadText(fields, "name", achievement.name);
    Assign(fields.Integer("progressState", 0, kProgressStates), achievement.progressState);
    Assign(ReadRecords<SimReward>(fields, "rewards", {"name", "value", "type", "valueType"}, ReadReward), achievement.rewards);
    Assign(ReadRecords<SimRequirement>(fields, "requirements", {"id", "current", "target"}, ReadRequirement), achievement.requirements);
    Assign(fields.Integer("timeUnlocked", 0, std::numeric_limits<std::int64_t>::max()), achievement.timeUnlocked);
}

void ReadStatistic(ControlFields& fields, SimStatistic& statistic)
{
    fields.Require("name");
    Assign(fields.String("name"), statistic.name);
    ReadText(fields, "type", statistic.type);
    ReadText(fields, "value", statistic.value);
}

void ReadRow(ControlFields& fields, SimLeaderboardRow& row)
{
    fields.Require("xuid");
    Assign(fields.Unsigned64("xuid"), row.xuid);
    Assign(fields.String("gamertag"), row.gamertag);
    Assign(fields.Parsed("percentile", AsNumber, "a number"), row.percentile);
    ReadText(fields, "value", row.value);
}

void ReadAchievementAnswers(ControlFields& fields, ServicesAnswers& answers)
{
    ReadHResult(fields, "achievementsStartResult", answers.achievementsStart);
    ReadOutcomes(fields, "achievementsResults", answers.achievements.next);
    ReadOutcome(fields, "achievementsDefault", answers.achievements.fallback);
    ReadHResult(fields, "achievementsResultResult", answers.achievementsResult);
    ReadHResult(fields, "achievementsReadResult", answers.achievementsRead);
    ReadHResult(fields, "achievementsHasNextResult", answers.achievementsHasNext);
    ReadHResult(fields, "updateStartResult", answers.updateStart);
    ReadOutcomes(fields, "updateResults", answers.update.next);
    ReadOutcome(fields, "updateDefault", answers.update.fallback);
}

void ReadStatisticsAnswers(ControlFields& fields, ServicesAnswers& answers)
{
    ReadHResult(fields, "statisticsStartResult", answers.statisticsStart);
    ReadOutcomes(fields, "statisticsResults", answers.statistics.next);
    ReadOutcome(fields, "statisticsDefault", answers.statistics.fallback);
    ReadHResult(fields, "statisticsResultSizeResult", answers.statisticsResultSize);
    ReadHResult(fields, "statisticsResultResult", answers.statisticsResult);
    ReadHResult(fields, "updateStatisticsStartResult", answers.updateStatisticsStart);
    ReadOutcomes(fields, "updateStatisticsResults", answers.updateStatistics.next);
    ReadOutcome(fields, "updateStatisticsDefault", answers.updateStatistics.fallback);
    ReadHResult(fields, "leaderboardStartResult", answers.leaderboardStart);
    ReadOutcomes(fields, "leaderboardResults", answers.leaderboard.next);
    ReadOutcome(fields, "leaderboardDefault", answers.leaderboard.fallback);
    ReadHResult(fields, "leaderboardResultSizeResult", answers.leaderboardResultSize);
    ReadHResult(fields, "leaderboardResultResult", answers.leaderboardResult);
}

void ReadServices(ControlFields& fields, ServicesData& services)
{
    Assign(ReadRecords<SimAchievement>(fields, "achievements",
                                    {"id", "name", "progressState", "rewards", "requirements", "timeUnlocked"}, ReadAchievement),
           services.achievements);
    if (const auto statistics = ReadRecords<SimStatistic>(fields, "statistics", {"name", "type", "value"}, ReadStatistic)) {
        services.statistics.clear();
        for (const SimStatistic& statistic : *statistics) {
            services.statistics[StatisticKey(statistic.name)] = statistic;
        }
    }
    Assign(ReadRecords<SimLeaderboardRow>(fields, "leaderboard", {"xuid", "gamertag", "percentile", "value"}, ReadRow), services.leaderboard);
    ReadAchievementAnswers(fields, services.answers);
    ReadStatisticsAnswers(fields, services.answers);
}

} // namespace

json Services(const json& request)
{
    ControlFields fields(request, "services",
                         {"achievements", "statistics", "leaderboard", "achievementsStartResult", "achievementsResults",
                          "achievementsDefault", "achievementsResultResult", "achievementsReadResult", "achievementsHasNextResult",
                          "updateStartResult", "updateResults", "updateDefault", "statisticsStartResult", "statisticsResults",
                          "statisticsDefault", "statisticsResultSizeResult", "statisticsResultResult", "updateStatisticsStartResult",
                          "updateStatisticsResults", "updateStatisticsDefault", "leaderboardStartResult", "leaderboardResults",
                          "leaderboardDefault", "leaderboardResultSizeResult", "leaderboardResultResult"});
    return WithState([&](SimState& state) {
        ServicesData updated;
        updated.achievements = state.runtime.services.achievements;
        updated.statistics = state.runtime.services.statistics;
        updated.leaderboard = state.runtime.services.leaderboard;
        updated.answers = state.runtime.services.answers;
        ReadServices(fields, updated);
        if (fields.Failed()) {
            return Sim::Refusal(fields.Error());
        }
        ServicesData& services = state.runtime.services;
        services.achievements = std::move(updated.achievements);
        services.statistics = std::move(updated.statistics);
        services.leaderboard = std::move(updated.leaderboard);
        services.answers = std::move(updated.answers);
        return Sim::Success();
    });
}

json DescribeServices(const ServicesData& services)
{
    json achievements = json::array();
    for (const SimAchievement& achievement : services.achievements) {
        achievements.push_back({{"id", achievement.id ? json(*achievement.id) : json()},
                                {"progressState", achievement.progressState},
                                {"timeUnlocked", achievement.timeUnlocked}});
    }
    json statistics = json::object();
    for (const auto& [key, statistic] : services.statistics) {
        statistics[statistic.name] = {{"type", statistic.type ? json(*statistic.type) : json()},
                                      {"value", statistic.value ? json(*statistic.value) : json()}};
    }
    return {{"achievements", std::move(achievements)},
            {"statistics", std::move(statistics)},
            {"achievementsResults", services.achievementsResults.Numbers()}};
}

} // namespace Vyro::XboxSim
