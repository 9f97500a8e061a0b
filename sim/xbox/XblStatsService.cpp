// Statistics and leaderboards: the player's statistics read back by name, title-managed statistics
// written, and leaderboard pages; results are laid out in the caller's buffer.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "AsyncCalls.h"
#include "Calls.h"
#include "ResultArena.h"
#include "ServicesCalls.h"

namespace Vyro::XboxSim {

namespace {

constexpr char kGetStatistics[] = "XblUserStatisticsGetSingleUserStatisticsAsync";
constexpr char kUpdateStatistics[] = "XblTitleManagedStatsUpdateStatsAsync";
constexpr char kGetLeaderboard[] = "XblLeaderboardGetLeaderboardAsync";
constexpr std::uint32_t kDefaultRows = 10;
// The service's type texts of title-managed statistics.
constexpr char kNumberType[] = "Double";
constexpr char kStringType[] = "String";

struct StatisticsAnswer {
    std::uint64_t xuid = 0;
    std::string scid;
    std::vector<SimStatistic> statistics;
};

struct LeaderboardAnswer {
    std::string statName;
    std::vector<SimLeaderboardRow> rows;
    std::vector<std::uint32_t> ranks;
    std::uint32_t totalRows = 0;
    bool hasNext = false;
};

void LayOutStatistics(ResultArena& arena, const StatisticsAnswer& answer, Xbl::XblUserStatisticsResult*& out)
{
    auto* result = arena.Place<Xbl::XblUserStatisticsResult>();
    auto* configuration = arena.Place<Xbl::XblServiceConfigurationStatistic>();
    auto* statistics = arena.Place<Xbl::XblStatistic>(answer.statistics.size());
    for (std::size_t i = 0; i < answer.statistics.size(); ++i) {
        const SimStatistic& statistic = answer.statistics[i];
        const char* name = arena.Text(statistic.name);
        const char* type = arena.Text(statistic.type);
        const char* value = arena.Text(statistic.value);
        if (statistics != nullptr) {
            statistics[i] = {name, type, value};
        }
    }
    if (result != nullptr) {
        CopyField(configuration->serviceConfigurationId, answer.scid);
        configuration->statistics = statistics;
        configuration->statisticsCount = static_cast<std::uint32_t>(answer.statistics.size());
        *result = {answer.xuid, configuration, 1};
    }
    out = result;
}

void LayOutLeaderboard(ResultArena& arena, const LeaderboardAnswer& answer, Xbl::XblLeaderboardResult*& out)
{
    auto* result = arena.Place<Xbl::XblLeaderboardResult>();
    auto* column = arena.Place<Xbl::XblLeaderboardColumn>();
    const char* statName = arena.Text(answer.statName);
    auto* rows = arena.Place<Xbl::XblLeaderboardRow>(answer.rows.size());
    for (std::size_t i = 0; i < answer.rows.size(); ++i) {
        const SimLeaderboardRow& row = answer.rows[i];
        const char** values = row.value ? arena.Place<const char*>() : nullptr;
        const char* value = arena.Text(row.value);
        if (rows == nullptr) {
            continue;
        }
        CopyField(rows[i].gamertag, row.gamertag);
        CopyField(rows[i].modernGamertag, row.gamertag);
        CopyField(rows[i].uniqueModernGamertag, row.gamertag);
        rows[i].xboxUserId = row.xuid;
        rows[i].percentile = row.percentile;
        rows[i].rank = answer.ranks[i];
        rows[i].globalRank = answer.ranks[i];
        if (values != nullptr) {
            *values = value;
        }
        rows[i].columnValues = values;
        rows[i].columnValuesCount = row.value ? 1 : 0;
    }
    if (result != nullptr) {
        *column = {statName, Xbl::XblLeaderboardStatType::Uint64};
        result->totalRowCount = answer.totalRows;
        result->columns = column;
        result->columnsCount = 1;
        result->rows = rows;
        result->rowsCount = answer.rows.size();
        result->hasNext = answer.hasNext;
    }
    out = result;
}

// The size a layout needs.
template <typename Answer, typename Record>
std::size_t Measure(void (*layOut)(ResultArena&, const Answer&, Record*&), const Answer& answer)
{
    ResultArena arena;
    Record* ignored = nullptr;
    layOut(arena, answer, ignored);
    return arena.Used();
}

template <typename Answer>
const Answer& AnswerOf(const Operation& operation)
{
    return *std::any_cast<const std::shared_ptr<const Answer>&>(operation.value);
}

// The completed call behind a result function, unless it is programmed to fail (or cannot be read).
Operation* ReadService(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed, HResult& failure)
{
    const ResultRead read = ReadResult(call, block, startedBy);
    failure = read.operation == nullptr ? read.failure : programmed;
    return Gdk::Succeeded(failure) ? read.operation : nullptr;
}

template <typename Answer, typename Record>
HResult GiveSize(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed, std::size_t* size,
                 void (*layOut)(ResultArena&, const Answer&, Record*&))
{
    if (!call.Requires(size != nullptr, "null size out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    const Operation* operation = ReadService(call, block, startedBy, programmed, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    *size = Measure(layOut, AnswerOf<Answer>(*operation));
    call.Entry()["size"] = *size;
    return call.Returns(Results::kOk);
}

template <typename Answer, typename Record>
HResult GiveResult(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed, std::size_t bufferSize,
                   void* buffer, Record** out, std::size_t* bufferUsed, void (*layOut)(ResultArena&, const Answer&, Record*&))
{
    if (!call.Requires(buffer != nullptr && out != nullptr, "null buffer or ptrToBuffer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation = ReadService(call, block, startedBy, programmed, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    const Answer& answer = AnswerOf<Answer>(*operation);
    const std::size_t required = Measure(layOut, answer);
    if (bufferSize < required) {
        call.Entry()["required"] = required;
        return call.Returns(Results::kNotSufficientBuffer);
    }
    ResultArena arena(buffer);
    layOut(arena, answer, *out);
    if (bufferUsed != nullptr) {
        *bufferUsed = required;
    }
    operation->resultTaken = true;
    return call.Returns(Results::kOk);
}

Work StatisticsWork(std::uint64_t xuid, std::string scid, std::vector<std::string> names)
{
    return [xuid, scid, names](SimState& state, Operation& operation) {
        Runtime& runtime = state.runtime;
        if (!runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        auto answer = std::make_shared<StatisticsAnswer>();
        answer->xuid = xuid;
        answer->scid = scid;
        // Only statistics that have values come back.
        for (const std::string& name : names) {
            const auto found = runtime.services.statistics.find(StatisticKey(name));
            if (found != runtime.services.statistics.end()) {
                answer->statistics.push_back(found->second);
            }
        }
        operation.value = std::shared_ptr<const StatisticsAnswer>(std::move(answer));
        return Results::kOk;
    };
}

std::string NumberText(double value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, written.ptr);
}

Work UpdateStatisticsWork(std::vector<SimStatistic> statistics)
{
    return [statistics](SimState& state, Operation&) {
        if (!state.runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        for (const SimStatistic& statistic : statistics) {
            state.runtime.services.statistics[StatisticKey(statistic.name)] = statistic;
        }
        return Results::kOk;
    };
}

// Where a page starts: at the player's row when one is asked for and on the board, else at the rank
// asked for (1 and 0 both mean the top).
std::size_t PageStart(const std::vector<SimLeaderboardRow>& rows, const Xbl::XblLeaderboardQuery& query)
{
    if (query.skipToXboxUserId != 0) {
        const auto found = std::find_if(rows.begin(), rows.end(), [&](const SimLeaderboardRow& row) {
            return row.xuid == query.skipToXboxUserId;
        });
        if (found != rows.end()) {
            return static_cast<std::size_t>(found - rows.begin());
        }
    }
    return query.skipResultToRank == 0 ? 0 : std::min<std::size_t>(query.skipResultToRank - 1, rows.size());
}

Work LeaderboardWork(std::string statName, Xbl::XblLeaderboardQuery query)
{
    return [statName, query](SimState& state, Operation& operation) {
        if (!state.runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        std::vector<SimLeaderboardRow> board = state.runtime.services.leaderboard;
        if (query.order == Xbl::XblLeaderboardSortOrder::Ascending) {
            std::reverse(board.begin(), board.end());
        }
        auto answer = std::make_shared<LeaderboardAnswer>();
        answer->statName = statName;
        answer->totalRows = static_cast<std::uint32_t>(board.size());
        const std::size_t first = PageStart(board, query);
        const std::size_t count = std::min<std::size_t>(query.maxItems == 0 ? kDefaultRows : query.maxItems, board.size() - first);
        for (std::size_t i = first; i < first + count; ++i) {
            answer->rows.push_back(board[i]);
            answer->ranks.push_back(static_cast<std::uint32_t>(i + 1));
        }
        answer->hasNext = first + count < board.size();
        operation.value = std::shared_ptr<const LeaderboardAnswer>(std::move(answer));
        return Results::kOk;
    };
}

nlohmann::json DescribeStatistics(const Xbl::XblTitleManagedStatistic* statistics, std::size_t count)
{
    nlohmann::json list = nlohmann::json::array();
    for (std::size_t i = 0; statistics != nullptr && i < count; ++i) {
        const Xbl::XblTitleManagedStatistic& statistic = statistics[i];
        const bool isString = statistic.statisticType == Xbl::XblTitleManagedStatType::String;
        list.push_back({{"name", JournalText(statistic.statisticName)},
                        {"type", isString ? "string" : "number"},
                        {"value", isString ? JournalText(statistic.stringValue) : nlohmann::json(statistic.numberValue)}});
    }
    return list;
}

HResult StartUpdateStatistics(Call& call, Xbl::XblContextHandle context, const Xbl::XblTitleManagedStatistic* statistics,
                              std::size_t count, Gdk::XAsyncBlock* block)
{
    if (!call.Requires(count > 0 && statistics != nullptr, "no statistics")) {
        return call.Returns(Results::kInvalidArg);
    }
    std::vector<SimStatistic> written;
    for (std::size_t i = 0; i < count; ++i) {
        const Xbl::XblTitleManagedStatistic& statistic = statistics[i];
        const bool isString = statistic.statisticType == Xbl::XblTitleManagedStatType::String;
        if (!call.Requires(statistic.statisticName != nullptr && *statistic.statisticName != '\0', "a statistic without a name") ||
            !call.Requires(!isString || statistic.stringValue != nullptr, "a string statistic without a value") ||
            !call.Requires(isString || std::isfinite(statistic.numberValue), "a number statistic that is not finite")) {
            return call.Returns(Results::kInvalidArg);
        }
        written.push_back({statistic.statisticName, std::string(isString ? kStringType : kNumberType),
                           isString ? std::string(statistic.stringValue) : NumberText(statistic.numberValue)});
    }
    ServicesAnswers& answers = call.Rt().services.answers;
    return StartServiceCall(call, context, block, answers.updateStatisticsStart, answers.updateStatistics,
                            UpdateStatisticsWork(std::move(written)));
}

HResult StartStatistics(Call& call, Xbl::XblContextHandle context, std::uint64_t xuid, const char* scid, const char** names,
                        std::size_t count, Gdk::XAsyncBlock* block)
{
    if (!call.Requires(scid != nullptr && names != nullptr && count > 0, "null scid or no statistic names")) {
        return call.Returns(Results::kInvalidArg);
    }
    std::vector<std::string> list;
    for (std::size_t i = 0; i < count; ++i) {
        if (!call.Requires(names[i] != nullptr, "a null statistic name")) {
            return call.Returns(Results::kInvalidArg);
        }
        list.emplace_back(names[i]);
    }
    ServicesAnswers& answers = call.Rt().services.answers;
    return StartServiceCall(call, context, block, answers.statisticsStart, answers.statistics,
                            StatisticsWork(xuid, scid, std::move(list)));
}

HResult StartLeaderboard(Call& call, Xbl::XblContextHandle context, const Xbl::XblLeaderboardQuery& query, Gdk::XAsyncBlock* block)
{
    const bool terminated = std::find(std::begin(query.scid), std::end(query.scid), '\0') != std::end(query.scid);
    if (!call.Requires(terminated, "scid not terminated within its field") ||
        !call.Requires(query.statName != nullptr || query.leaderboardName != nullptr, "neither statName nor leaderboardName")) {
        return call.Returns(Results::kInvalidArg);
    }
    ServicesAnswers& answers = call.Rt().services.answers;
    const std::string statName = query.statName != nullptr ? query.statName : query.leaderboardName;
    return StartServiceCall(call, context, block, answers.leaderboardStart, answers.leaderboard, LeaderboardWork(statName, query));
}

nlohmann::json DescribeQuery(const Xbl::XblLeaderboardQuery& query)
{
    const bool terminated = std::find(std::begin(query.scid), std::end(query.scid), '\0') != std::end(query.scid);
    return {{"xuid", std::to_string(query.xboxUserId)},
            {"scid", terminated ? nlohmann::json(std::string(query.scid)) : nlohmann::json()},
            {"leaderboardName", JournalText(query.leaderboardName)},
            {"statName", JournalText(query.statName)},
            {"socialGroup", static_cast<std::uint32_t>(query.socialGroup)},
            {"additionalColumns", query.additionalColumnleaderboardNamesCount},
            {"order", static_cast<std::uint32_t>(query.order)},
            {"maxItems", query.maxItems},
            {"skipToXuid", std::to_string(query.skipToXboxUserId)},
            {"skipToRank", query.skipResultToRank},
            {"continuationToken", JournalText(query.continuationToken)},
            {"queryType", static_cast<std::uint32_t>(query.queryType)}};
}

} // namespace

HResult ServiceGetStatisticsAsync(Xbl::XblContextHandle context, std::uint64_t xuid, const char* scid, const char** names,
                                  std::size_t namesCount, Gdk::XAsyncBlock* block)
{
    nlohmann::json listed = nlohmann::json::array();
    for (std::size_t i = 0; names != nullptr && i < namesCount; ++i) {
        listed.push_back(JournalText(names[i]));
    }
    return JournalledCall(kGetStatistics,
                          {{"context", DescribeHandle(context)}, {"xuid", std::to_string(xuid)}, {"scid", JournalText(scid)}, {"names", listed}},
                          [&](Call& call) { return StartStatistics(call, context, xuid, scid, names, namesCount, block); });
}

HResult ServiceGetStatisticsResultSize(Gdk::XAsyncBlock* block, std::size_t* size)
{
    return RuntimeCall("XblUserStatisticsGetSingleUserStatisticsResultSize", {}, [&](Call& call) {
        return GiveSize(call, block, kGetStatistics, call.Rt().services.answers.statisticsResultSize, size, &LayOutStatistics);
    });
}

HResult ServiceGetStatisticsResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                   Xbl::XblUserStatisticsResult** result, std::size_t* bufferUsed)
{
    return RuntimeCall("XblUserStatisticsGetSingleUserStatisticsResult", {{"bufferSize", bufferSize}}, [&](Call& call) {
        return GiveResult(call, block, kGetStatistics, call.Rt().services.answers.statisticsResult, bufferSize, buffer, result,
                          bufferUsed, &LayOutStatistics);
    });
}

HResult ServiceUpdateStatisticsAsync(Xbl::XblContextHandle context, const Xbl::XblTitleManagedStatistic* statistics,
                                     std::size_t count, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kUpdateStatistics,
                          {{"context", DescribeHandle(context)}, {"statistics", DescribeStatistics(statistics, count)}},
                          [&](Call& call) { return StartUpdateStatistics(call, context, statistics, count, block); });
}

HResult ServiceGetLeaderboardAsync(Xbl::XblContextHandle context, Xbl::XblLeaderboardQuery query, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kGetLeaderboard, {{"context", DescribeHandle(context)}, {"query", DescribeQuery(query)}},
                          [&](Call& call) { return StartLeaderboard(call, context, query, block); });
}

HResult ServiceGetLeaderboardResultSize(Gdk::XAsyncBlock* block, std::size_t* size)
{
    return RuntimeCall("XblLeaderboardGetLeaderboardResultSize", {}, [&](Call& call) {
        return GiveSize(call, block, kGetLeaderboard, call.Rt().services.answers.leaderboardResultSize, size, &LayOutLeaderboard);
    });
}

HResult ServiceGetLeaderboardResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                    Xbl::XblLeaderboardResult** result, std::size_t* bufferUsed)
{
    return RuntimeCall("XblLeaderboardGetLeaderboardResult", {{"bufferSize", bufferSize}}, [&](Call& call) {
        return GiveResult(call, block, kGetLeaderboard, call.Rt().services.answers.leaderboardResult, bufferSize, buffer, result,
                          bufferUsed, &LayOutLeaderboard);
    });
}

} // namespace Vyro::XboxSim
