#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace Vyro::Sim {

// {"ok":true} with the members of `details`.
inline nlohmann::json Success(nlohmann::json details = nlohmann::json::object())
{
    nlohmann::json reply{{"ok", true}};
    reply.update(details);
    return reply;
}

inline nlohmann::json Refusal(const std::string& error) { return {{"ok", false}, {"error", error}}; }

} // namespace Vyro::Sim
