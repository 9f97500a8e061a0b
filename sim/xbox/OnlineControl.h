#pragma once

#include <nlohmann/json.hpp>

#include "OnlineData.h"

namespace Vyro::XboxSim {

// The "privileges" control op: the account's privileges and how their check and resolve dialog answer.
nlohmann::json ProgramPrivileges(const nlohmann::json& request);
// The "permissions" control op: the rules the batch permission check applies, and how it answers.
nlohmann::json ProgramPermissions(const nlohmann::json& request);
// The "dialogs" control op: what the player does in each system dialog, and whether dialogs stay open.
nlohmann::json ProgramDialogs(const nlohmann::json& request);

// The privileges and rules as the state report shows them.
nlohmann::json DescribeOnline(const OnlineData& online);

} // namespace Vyro::XboxSim
