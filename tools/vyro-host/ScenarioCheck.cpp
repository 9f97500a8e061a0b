#include "ScenarioCheck.h"

#include <algorithm>
#include <optional>

namespace VyroHost {

namespace {

bool ObjectMatches(const Json& expected, const Json& actual)
{
    if (!actual.is_object()) {
        return false;
    }
    return std::all_of(expected.items().begin(), expected.items().end(), [&](const auto& member) {
        const auto found = actual.find(member.key());
        return found != actual.end() && Matches(member.value(), *found);
    });
}

bool ArrayMatches(const Json& expected, const Json& actual)
{
    return actual.is_array() && expected.size() == actual.size() &&
           std::equal(expected.begin(), expected.end(), actual.begin(),
                      [](const Json& want, const Json& have) { return Matches(want, have); });
}

std::string Show(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

std::optional<std::size_t> FindMatch(const std::vector<Json>& records, const Json& expected, std::size_t from)
{
    for (std::size_t index = from; index < records.size(); ++index) {
        if (Matches(expected, records[index])) {
            return index;
        }
    }
    return std::nullopt;
}

// The first unmet ordered expectation, if any. Taking the earliest match for each one is enough:
// a later choice could only leave fewer records for the expectations after it.
std::optional<std::string> CheckOrder(const std::vector<Json>& records, const std::vector<Json>& inOrder)
{
    std::size_t next = 0;
    for (std::size_t index = 0; index < inOrder.size(); ++index) {
        const auto found = FindMatch(records, inOrder[index], next);
        if (found) {
            next = *found + 1;
            continue;
        }
        std::string report = "expect[" + std::to_string(index) + "] " + Show(inOrder[index]) +
                             " not found at or after output record " + std::to_string(next);
        if (const auto earlier = FindMatch(records, inOrder[index], 0)) {
            report += " (it matches the earlier record " + std::to_string(*earlier) + ": out of order)";
        }
        return report;
    }
    return std::nullopt;
}

std::size_t CountMatches(const std::vector<Json>& records, const Json& match)
{
    return static_cast<std::size_t>(
        std::count_if(records.begin(), records.end(), [&](const Json& record) { return Matches(match, record); }));
}

} // namespace

bool Matches(const Json& expected, const Json& actual)
{
    if (expected.is_object()) {
        return ObjectMatches(expected, actual);
    }
    if (expected.is_array()) {
        return ArrayMatches(expected, actual);
    }
    return expected == actual;
}

std::vector<std::string> CheckRecords(const std::vector<Json>& records, const Expectations& expectations)
{
    std::vector<std::string> failures;
    if (auto failure = CheckOrder(records, expectations.inOrder)) {
        failures.push_back(std::move(*failure));
    }
    for (std::size_t index = 0; index < expectations.counts.size(); ++index) {
        const CountExpectation& expectation = expectations.counts[index];
        const std::size_t actual = CountMatches(records, expectation.match);
        if (actual != expectation.count) {
            failures.push_back("expectCount[" + std::to_string(index) + "] " + Show(expectation.match) + " matched " +
                               std::to_string(actual) + " output records, expected " +
                               std::to_string(expectation.count));
        }
    }
    return failures;
}

} // namespace VyroHost
