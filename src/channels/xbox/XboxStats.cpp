#include "channels/xbox/XboxStats.h"

#include <cstring>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/DecimalText.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/StatsBatch.h"
#include "channels/xbox/XboxParameters.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "common/Logger.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

constexpr std::uint32_t kDefaultRows = 10;

// A zero-filled buffer for a result the service lays out in it, aligned for its records.
class ResultBuffer {
public:
    explicit ResultBuffer(std::size_t size) : words_((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t)), size_(size) {}
    void* Data() { return words_.data(); }
    std::size_t Size() const { return size_; }

private:
    std::vector<std::uint64_t> words_;
    std::size_t size_;
};

// Every statistic of the result, in order.
json StatisticsList(const Xbl::XblUserStatisticsResult* result)
{
    json stats = json::array();
    if (result == nullptr || result->serviceConfigStatistics == nullptr) {
        return stats;
    }
    for (std::uint32_t i = 0; i < result->serviceConfigStatisticsCount; ++i) {
        const Xbl::XblServiceConfigurationStatistic& configuration = result->serviceConfigStatistics[i];
        for (std::uint32_t j = 0; configuration.statistics != nullptr && j < configuration.statisticsCount; ++j) {
            const Xbl::XblStatistic& statistic = configuration.statistics[j];
            stats.push_back({{"name", TextOf(statistic.statisticName)},
                             {"type", statistic.statisticType == nullptr ? std::string("Unknown") : statistic.statisticType},
                             {"value", TextOf(statistic.value)}});
        }
    }
    return stats;
}

std::string FixedText(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

json RowObject(const Xbl::XblLeaderboardRow& row)
{
    const bool hasValue = row.columnValues != nullptr && row.columnValuesCount > 0;
    return json{{"rank", row.rank},
                {"xuid", std::to_string(row.xboxUserId)},
                {"gamertag", FixedText(row.gamertag, sizeof(row.gamertag))},
                {"percentile", row.percentile},
                {"value", hasValue ? TextOf(row.columnValues[0]) : std::string()}};
}

json LeaderboardPage(const Xbl::XblLeaderboardResult* result)
{
    json rows = json::array();
    for (std::size_t i = 0; result->rows != nullptr && i < result->rowsCount; ++i) {
        rows.push_back(RowObject(result->rows[i]));
    }
    return json{{"xbox", {{"rows", std::move(rows)}, {"totalRowCount", result->totalRowCount}, {"hasNext", result->hasNext}}}};
}

void CompleteGetStatistics(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const Xbl::XblApi& services = context.Services();
    std::size_t size = 0;
    const HResult sized = services.XblUserStatisticsGetSingleUserStatisticsResultSize(block, &size);
    if (!Gdk::Succeeded(sized) || size == 0) {
        AnswerFailedResult(cb, requestId, "XblUserStatisticsGetSingleUserStatisticsResultSize",
                           "Failed to get statistics result size.", sized);
        return;
    }
    ResultBuffer buffer(size);
    Xbl::XblUserStatisticsResult* result = nullptr;
    const HResult read =
        services.XblUserStatisticsGetSingleUserStatisticsResult(block, buffer.Size(), buffer.Data(), &result, nullptr);
    if (!Gdk::Succeeded(read)) {
        AnswerFailedResult(cb, requestId, "XblUserStatisticsGetSingleUserStatisticsResult", "Failed to get statistics results.", read);
        return;
    }
    AnswerSuccess(cb, requestId, json{{"xbox", {{"stats", StatisticsList(result)}}}});
}

void CompleteUpdateStatistics(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const HResult status = context.Runtime().XAsyncGetStatus(block, false);
    if (!Gdk::Succeeded(status)) {
        Log(LogLevel::Error, "XblTitleManagedStatsUpdateStatsAsync completed with error: {}", HResultText(status));
        AnswerFailure(cb, requestId, "Failed to update statistics: " + HResultText(status), status);
        return;
    }
    AnswerSuccess(cb, requestId, json{{"xbox", json::object()}});
}

void CompleteGetLeaderboard(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const Xbl::XblApi& services = context.Services();
    std::size_t size = 0;
    const HResult sized = services.XblLeaderboardGetLeaderboardResultSize(block, &size);
    if (!Gdk::Succeeded(sized) || size == 0) {
        AnswerFailedResult(cb, requestId, "XblLeaderboardGetLeaderboardResultSize", "Failed to get leaderboard result size.", sized);
        return;
    }
    ResultBuffer buffer(size);
    Xbl::XblLeaderboardResult* result = nullptr;
    const HResult read = services.XblLeaderboardGetLeaderboardResult(block, buffer.Size(), buffer.Data(), &result, nullptr);
    if (!Gdk::Succeeded(read) || result == nullptr) {
        AnswerFailedResult(cb, requestId, "XblLeaderboardGetLeaderboardResult", "Failed to get leaderboard results.", read);
        return;
    }
    AnswerSuccess(cb, requestId, LeaderboardPage(result));
}

// "skipToXuid": digits as text (trailing text ignored; unreadable text warns and reads from the top)
// or a number; any other type reads from the top.
std::uint64_t SkipToXuid(XboxParameters& members)
{
    constexpr char kName[] = "skipToXuid";
    const json& xbox = members.Object();
    if (!xbox.contains(kName)) {
        return 0;
    }
    const json& member = xbox[kName];
    if (member.is_string()) {
        const std::string text = member.get<std::string>();
        if (text.empty()) {
            return 0;
        }
        const DecimalReading<std::uint64_t> xuid = ReadUnsigned64(text.c_str());
        if (!xuid.Ok()) {
            Log(LogLevel::Warning, "GetLeaderboard: Invalid skipToXuid '{}': {}", text, xuid.error);
        }
        return xuid.value;
    }
    if (member.is_number()) {
        const auto xuid = Uint64Member(xbox, kName);
        if (!xuid) {
            members.Refuse(kName, "an unsigned 64-bit integer or a string of digits");
        }
        return xuid.value_or(0);
    }
    return 0;
}

} // namespace

XboxStats::XboxStats(IXboxContext* context) : XboxServicesFeature(context, "XboxStats") {}

void XboxStats::GetStatistics(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    // The service reads the names while the call runs: the handler keeps them.
    auto names = std::make_shared<const StatNames>(StatNames::From(request));
    if (names->Empty()) {
        Log(LogLevel::Error, "GetStatistics: No stat names provided");
        AnswerFailure(cb, requestId, "No stat names provided in xbox.names array.");
        return;
    }
    IXboxContext& context = *Context();
    std::uint64_t xuid = 0;
    if (!GetXuid(context, cb, requestId, xuid)) {
        return;
    }
    auto scid = std::make_shared<const std::string>(context.GetScid());
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblUserStatisticsGetSingleUserStatisticsAsync",
        [&context, cb, requestId, names, scid](Gdk::XAsyncBlock* block) { CompleteGetStatistics(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblUserStatisticsGetSingleUserStatisticsAsync(servicesContext, xuid, scid->c_str(),
                                                                                   names->Texts(), names->Count(), block);
        });
}

void XboxStats::UpdateStatistics(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    const json xbox = ObjectMember(request, "xbox");
    const auto stats = xbox.find("stats");
    if (stats == xbox.end() || !stats->is_array()) {
        Log(LogLevel::Error, "UpdateStatistics: No stats array provided");
        AnswerFailure(cb, requestId, "No stats provided in xbox.stats array.");
        return;
    }
    std::string refusal;
    // The service reads the names and values while the call runs: the handler keeps them.
    auto batch = std::make_shared<const StatsBatch>(StatsBatch::From(*stats, refusal));
    if (!refusal.empty()) {
        AnswerFailure(cb, requestId, refusal);
        return;
    }
    if (batch->Empty()) {
        Log(LogLevel::Error, "UpdateStatistics: No valid stats to update");
        AnswerFailure(cb, requestId, "No valid stats to update.");
        return;
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblTitleManagedStatsUpdateStatsAsync",
        [&context, cb, requestId, batch](Gdk::XAsyncBlock* block) { CompleteUpdateStatistics(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblTitleManagedStatsUpdateStatsAsync(servicesContext, batch->Statistics(),
                                                                          batch->Count(), block);
        });
}

void XboxStats::GetLeaderboard(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    XboxParameters members = XboxParameters::OfXbox(request);
    // The query points at the name while the call runs: the handler keeps it.
    auto statName = std::make_shared<const std::string>(members.String("statName", ""));
    if (members.Refusal().empty() && statName->empty()) {
        Log(LogLevel::Error, "GetLeaderboard: No statName provided");
        AnswerFailure(cb, requestId, "No statName provided in xbox.statName.");
        return;
    }
    Xbl::XblLeaderboardQuery query{};
    query.queryType = static_cast<Xbl::XblLeaderboardQueryType>(members.Int32("queryType", 1));
    query.maxItems = members.Uint32("maxItems", kDefaultRows);
    query.socialGroup = static_cast<Xbl::XblSocialGroupType>(members.Int32("socialGroup", 0));
    query.skipResultToRank = members.Uint32("skipToRank", 0);
    query.order = static_cast<Xbl::XblLeaderboardSortOrder>(members.Int32("sortOrder", 0));
    query.skipToXboxUserId = SkipToXuid(members);
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return;
    }
    IXboxContext& context = *Context();
    context.GetScid().copy(query.scid, sizeof(query.scid) - 1);
    query.leaderboardName = statName->c_str();
    query.statName = statName->c_str();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblLeaderboardGetLeaderboardAsync",
        [&context, cb, requestId, statName](Gdk::XAsyncBlock* block) { CompleteGetLeaderboard(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) { return context.Services().XblLeaderboardGetLeaderboardAsync(servicesContext, query, block); });
}

} // namespace Vyro
