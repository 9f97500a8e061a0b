#pragma once

#include <string>

#include "VyroChannel.h"
#include "channels/xbox/XboxServicesFeature.h"

namespace Vyro {

// The signed-in player's achievements for the running title: one page at a time, and progress
// updates. Completions reach the channel only, never this object: a sign-out may destroy it while a
// call is in flight.
class XboxAchievements : public XboxServicesFeature {
public:
    explicit XboxAchievements(IXboxContext* context);

    // {"xbox": {"unlockedOnly", "maxItems", "skipItems"}} -> {"xbox": {"achievements", "totalCount", "hasNext"}}.
    void GetAchievements(const std::string& params, ResultCallback cb);
    // {"xbox": {"achievementId", "percentComplete"}} -> {"xbox": {"achievementId"}}.
    void UpdateAchievement(const std::string& params, ResultCallback cb);
};

} // namespace Vyro
