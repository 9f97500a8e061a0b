#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ControlFields.h"
#include "SimSettings.h"
#include "Store.h"

namespace Vyro::XboxSim {

// An HRESULT member; an outcome member; arrays of outcomes or HRESULTs that replace what is left of
// `target`.
void ReadHResult(Sim::ControlFields& fields, const char* name, HResult& target);
void ReadOutcome(Sim::ControlFields& fields, const char* name, Outcome& target);
void ReadOutcomes(Sim::ControlFields& fields, const char* name, std::deque<Outcome>& target);
void ReadHResults(Sim::ControlFields& fields, const char* name, std::deque<HResult>& target);

// How one asynchronous call answers: "<call>StartResult", "<call>Results", "<call>Default" and
// "<call>ResultResult".
void ReadCall(Sim::ControlFields& fields, const std::string& call, StoreCallSettings& settings);

// The members of "set" given in the request, over `settings`; errors are recorded in the fields.
void ReadSettings(Sim::ControlFields& fields, Settings& settings);

// Each element of array `name` read by `read(elementFields, element)` into a new list; absent: none.
template <typename Item, typename Read>
std::optional<std::vector<Item>> ReadRecords(Sim::ControlFields& fields, const char* name, std::initializer_list<const char*> known, Read read)
{
    const nlohmann::json* entries = fields.Array(name);
    if (entries == nullptr) {
        return std::nullopt;
    }
    std::vector<Item> list;
    for (std::size_t i = 0; i < entries->size(); ++i) {
        Sim::ControlFields element(fields, (*entries)[i], std::string(name) + "[" + std::to_string(i) + "]", known);
        Item item;
        read(element, item);
        list.push_back(std::move(item));
    }
    return list;
}

} // namespace Vyro::XboxSim
