#include "config/ConfigPackFlatten.h"

#include <cstdint>
#include <cstdio>
#include <limits>

#include <nlohmann/json.hpp>

namespace Vyro {

namespace {

using Json = nlohmann::json;

ConfigValue SignedValue(std::int64_t value)
{
    if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
        return static_cast<std::int32_t>(value);
    }
    return value;
}

// The parser reads non-negative integers as unsigned. Those beyond the signed 64-bit range have no
// integer setter; they are kept as the nearest double, as the parser itself does for integers that
// exceed even the unsigned range, and the loss of precision is announced.
ConfigValue UnsignedValue(std::uint64_t value, const std::string& key)
{
    if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return SignedValue(static_cast<std::int64_t>(value));
    }
    std::fprintf(stderr, "warning: integer beyond the 64-bit signed range stored as double '%s'\n", key.c_str());
    return static_cast<double>(value);
}

void AppendMember(const Json& member, const std::string& key, std::vector<ConfigEntry>& entries)
{
    switch (member.type()) {
    case Json::value_t::null:
        std::fprintf(stderr, "warning: skipping null key '%s'\n", key.c_str());
        return;
    case Json::value_t::object:
        FlattenConfigObject(member, key, entries);
        return;
    case Json::value_t::array:
        entries.push_back({key, member.dump()});
        return;
    case Json::value_t::string:
        entries.push_back({key, member.get<std::string>()});
        return;
    case Json::value_t::boolean:
        entries.push_back({key, member.get<bool>()});
        return;
    case Json::value_t::number_integer:
        entries.push_back({key, SignedValue(member.get<std::int64_t>())});
        return;
    case Json::value_t::number_unsigned:
        entries.push_back({key, UnsignedValue(member.get<std::uint64_t>(), key)});
        return;
    case Json::value_t::number_float:
        entries.push_back({key, member.get<double>()});
        return;
    default:
        // Binary and discarded values never come out of parsing JSON text.
        return;
    }
}

} // namespace

void FlattenConfigObject(const Json& object, const std::string& prefix, std::vector<ConfigEntry>& entries)
{
    for (auto member = object.begin(); member != object.end(); ++member) {
        const std::string key = prefix.empty() ? member.key() : prefix + "." + member.key();
        AppendMember(member.value(), key, entries);
    }
}

} // namespace Vyro
