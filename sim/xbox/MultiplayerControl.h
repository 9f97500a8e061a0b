#pragma once

#include <nlohmann/json.hpp>

#include "MultiplayerData.h"

namespace Vyro::XboxSim {

// The "multiplayer" op: the players' activities and how the multiplayer calls and the send-invite
// dialog answer; a refused request changes nothing.
nlohmann::json ProgramMultiplayer(const nlohmann::json& request);
// The "inviteBurst" op: a thread of the system's delivers `count` invites one after another, each to
// every game invite registration, while the game goes on.
nlohmann::json InviteBurst(const nlohmann::json& request);
// The "multiplayer" member of the "state" reply.
nlohmann::json DescribeMultiplayer(const MultiplayerData& multiplayer);

} // namespace Vyro::XboxSim
