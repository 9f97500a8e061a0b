#pragma once

#include <string>

#include "VyroChannel.h"
#include "channels/xbox/XboxServicesFeature.h"

namespace Vyro {

// The signed-in player's statistics (read, and written as title-managed statistics) and leaderboard
// pages. Completions reach the channel only, never this object: a sign-out may destroy it while a
// call is in flight.
class XboxStats : public XboxServicesFeature {
public:
    explicit XboxStats(IXboxContext* context);

    // {"xbox": {"names": [...]}} -> {"xbox": {"stats": [{"name", "type", "value"}]}}.
    void GetStatistics(const std::string& params, ResultCallback cb);
    // {"xbox": {"stats": [{"name", "type", "value"}]}} -> {"xbox": {}}.
    void UpdateStatistics(const std::string& params, ResultCallback cb);
    // {"xbox": {"statName", "queryType", "maxItems", "socialGroup", "skipToRank", "sortOrder",
    // "skipToXuid"}} -> {"xbox": {"rows", "totalRowCount", "hasNext"}}.
    void GetLeaderboard(const std::string& params, ResultCallback cb);
};

} // namespace Vyro
