#include "Journal.h"

namespace Vyro::Sim {

nlohmann::json Journal::Calls(const std::optional<std::string>& function) const
{
    nlohmann::json calls = nlohmann::json::array();
    for (const nlohmann::json& entry : entries_) {
        if (!function || entry.value("fn", std::string()) == *function) {
            calls.push_back(entry);
        }
    }
    return calls;
}

} // namespace Vyro::Sim
