#include "channels/xbox/StatsBatch.h"

#include "channels/xbox/DecimalText.h"
#include "channels/xbox/XboxParameters.h"
#include "common/Logger.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;

constexpr char kStringKind[] = "string";

} // namespace

// A deque keeps every text where it was put while more are added.
StatNames StatNames::From(const json& request)
{
    StatNames names;
    const json xbox = ObjectMember(request, "xbox");
    const auto list = xbox.find("names");
    if (list == xbox.end() || !list->is_array()) {
        return names;
    }
    for (const json& name : *list) {
        if (name.is_string()) {
            names.texts_.push_back(names.names_.emplace_back(name.get<std::string>()).c_str());
        }
    }
    return names;
}

StatsBatch StatsBatch::From(const json& stats, std::string& refusal)
{
    StatsBatch batch;
    for (std::size_t i = 0; i < stats.size(); ++i) {
        if (!stats[i].is_object()) {
            continue;
        }
        XboxParameters members(stats[i], "xbox.stats[" + std::to_string(i) + "]");
        std::string name = members.String("name", "");
        const bool isString = members.String("type", "number") == kStringKind;
        std::string value = members.String("value", "");
        if (!members.Refusal().empty()) {
            refusal = members.Refusal();
            return {};
        }
        if (name.empty()) {
            Log(LogLevel::Warning, "UpdateStatistics: Skipping stat with empty name");
            continue;
        }
        Xbl::XblTitleManagedStatistic statistic{};
        statistic.statisticName = batch.names_.emplace_back(std::move(name)).c_str();
        statistic.stringValue = batch.values_.emplace_back(std::move(value)).c_str();
        statistic.statisticType = isString ? Xbl::XblTitleManagedStatType::String : Xbl::XblTitleManagedStatType::Number;
        if (!isString) {
            const DecimalReading<double> number = ReadDouble(statistic.stringValue);
            if (!number.Ok()) {
                Log(LogLevel::Warning, "UpdateStatistics: Invalid number value '{}' for stat '{}': {}", statistic.stringValue,
                    statistic.statisticName, number.error);
            }
            statistic.numberValue = number.value;
            statistic.stringValue = nullptr;
        }
        batch.statistics_.push_back(statistic);
    }
    return batch;
}

} // namespace Vyro
