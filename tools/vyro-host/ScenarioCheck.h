#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Json.h"

namespace VyroHost {

// "Exactly `count` output records match `match`."
struct CountExpectation {
    Json match;
    std::size_t count = 0;
};

// What a scenario expects of the harness output.
struct Expectations {
    // Records that must appear in this order, other records allowed in between.
    std::vector<Json> inOrder;
    std::vector<CountExpectation> counts;

    bool Empty() const { return inOrder.empty() && counts.empty(); }
};

// Partial match: every member `expected` names must be present in `actual` with a matching value,
// recursively for objects; arrays match element by element; other values must be equal.
bool Matches(const Json& expected, const Json& actual);

// One readable line per unmet expectation; empty when the output meets them all.
std::vector<std::string> CheckRecords(const std::vector<Json>& records, const Expectations& expectations);

} // namespace VyroHost
