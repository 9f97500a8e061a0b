#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace Vyro {

// One typed value of the configuration store, as the pack builder flattens it from JSON.
using ConfigValue = std::variant<bool, std::int32_t, std::int64_t, double, std::string>;

struct ConfigEntry {
    std::string key; // UTF-8, nested member names joined with "."
    ConfigValue value;

    bool operator==(const ConfigEntry&) const = default;
};

// "bool", "int32", "int64", "double" or "string".
const char* ConfigValueTypeName(const ConfigValue& value);

} // namespace Vyro
