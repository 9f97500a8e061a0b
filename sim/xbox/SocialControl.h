#pragma once

#include <nlohmann/json.hpp>

#include "SocialData.h"

namespace Vyro::XboxSim {

// The "social" op: replaces the friends, avoid list or profiles it gives, sets how many DoWork calls
// a new group takes to load, and programs the answers of the social, privacy and profile calls; a
// refused request changes nothing.
nlohmann::json ProgramSocial(const nlohmann::json& request);
// The "socialChanges" op: changes the friend graph as the service would (friends added or removed,
// presence or relationship changed), each change given out as one event by the next DoWork, in order;
// "repeat" applies the list that many times (a burst). A refused request changes nothing.
nlohmann::json ChangeSocialGraph(const nlohmann::json& request);
// The "social" member of the "state" reply.
nlohmann::json DescribeSocial(const SocialData& social);

} // namespace Vyro::XboxSim
