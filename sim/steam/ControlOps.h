#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace Vyro::SteamSim {

// One control op: the request object in, the reply object out.
using ControlOp = nlohmann::json (*)(const nlohmann::json& request);

// The op named `name`, or null.
ControlOp FindControlOp(const std::string& name);
// Every op's name, for the message that refuses an unknown one.
std::string ControlOpNames();

} // namespace Vyro::SteamSim
