#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace Vyro::SteamSim {

// Every call the game made into the runtime, in order, as one object each: "fn" (the export's
// name), its arguments by name, and what it returned ("result") or why it refused ("error").
class Journal {
public:
    void Add(nlohmann::json entry) { entries_.push_back(std::move(entry)); }
    // The entries, or only those of one function.
    nlohmann::json Calls(const std::optional<std::string>& function) const;
    void Clear() { entries_.clear(); }

private:
    std::vector<nlohmann::json> entries_;
};

// A C string argument or result as the journal shows it: null stays null.
inline nlohmann::json JournalText(const char* text) { return text == nullptr ? nlohmann::json() : nlohmann::json(text); }

} // namespace Vyro::SteamSim
