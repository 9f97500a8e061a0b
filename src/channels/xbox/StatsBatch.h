#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/XblApi.h"

namespace Vyro {

// The statistic names of a read, as the texts the service is handed. Once made it does not change, so
// the texts stay where they are for as long as the object lives.
class StatNames {
public:
    StatNames() = default;
    // Moving keeps the texts where they are; a copy would point at the original's.
    StatNames(StatNames&&) = default;
    StatNames(const StatNames&) = delete;
    StatNames& operator=(const StatNames&) = delete;

    // Every string of the request's "xbox"."names" array, in order; other elements are passed over.
    static StatNames From(const nlohmann::json& request);

    bool Empty() const { return names_.empty(); }
    std::size_t Count() const { return names_.size(); }
    const char** Texts() const { return const_cast<const char**>(texts_.data()); }

private:
    std::deque<std::string> names_;
    std::vector<const char*> texts_;
};

// The title-managed statistics of a write, with the name and value texts they point at; unchanged
// once made.
class StatsBatch {
public:
    StatsBatch() = default;
    // Moving keeps the texts where they are; a copy would point at the original's.
    StatsBatch(StatsBatch&&) = default;
    StatsBatch(const StatsBatch&) = delete;
    StatsBatch& operator=(const StatsBatch&) = delete;

    // The objects of a "stats" array, in order: those without a name are passed over (WARNING), a
    // number that does not convert is sent as 0 (WARNING). A member of the wrong JSON type sets
    // `refusal`.
    static StatsBatch From(const nlohmann::json& stats, std::string& refusal);

    bool Empty() const { return statistics_.empty(); }
    std::size_t Count() const { return statistics_.size(); }
    const Xbl::XblTitleManagedStatistic* Statistics() const { return statistics_.data(); }

private:
    std::deque<std::string> names_;
    std::deque<std::string> values_;
    std::vector<Xbl::XblTitleManagedStatistic> statistics_;
};

} // namespace Vyro
