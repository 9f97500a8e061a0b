#include "core/RequestMembers.h"

#include <limits>

namespace Vyro {

namespace {

using nlohmann::json;

const json* FindMember(const json& object, const char* name)
{
    if (!object.is_object()) {
        return nullptr;
    }
    const auto member = object.find(name);
    return member == object.end() ? nullptr : &*member;
}

// A JSON integer member within [low, high]; the library keeps non-negative integers unsigned and
// negative ones signed.
template <typename Number>
std::optional<Number> IntegerMember(const json& object, const char* name)
{
    const json* member = FindMember(object, name);
    if (member == nullptr || !member->is_number_integer()) {
        return std::nullopt;
    }
    if (member->is_number_unsigned()) {
        const auto value = member->get<std::uint64_t>();
        return value <= static_cast<std::uint64_t>(std::numeric_limits<Number>::max()) ? std::optional(static_cast<Number>(value))
                                                                                     : std::nullopt;
    }
    const auto value = member->get<std::int64_t>();
    if constexpr (std::numeric_limits<Number>::is_signed) {
        return value >= std::numeric_limits<Number>::min() && value <= std::numeric_limits<Number>::max()
                   ? std::optional(static_cast<Number>(value))
                   : std::nullopt;
    } else {
        return value >= 0 && static_cast<std::uint64_t>(value) <= std::numeric_limits<Number>::max()
                   ? std::optional(static_cast<Number>(value))
                   : std::nullopt;
    }
}

} // namespace

std::optional<std::string> StringMember(const json& object, const char* name)
{
    const json* member = FindMember(object, name);
    if (member == nullptr || !member->is_string()) {
        return std::nullopt;
    }
    return member->get<std::string>();
}

std::optional<bool> BoolMember(const json& object, const char* name)
{
    const json* member = FindMember(object, name);
    if (member == nullptr || !member->is_boolean()) {
        return std::nullopt;
    }
    return member->get<bool>();
}

bool HasMember(const json& object, const char* name) { return FindMember(object, name) != nullptr; }

std::optional<std::uint32_t> Uint32Member(const json& object, const char* name)
{
    return IntegerMember<std::uint32_t>(object, name);
}

std::optional<std::int32_t> Int32Member(const json& object, const char* name) { return IntegerMember<std::int32_t>(object, name); }

std::optional<std::uint64_t> Uint64Member(const json& object, const char* name)
{
    return IntegerMember<std::uint64_t>(object, name);
}

json ObjectMember(const json& object, const char* name)
{
    const json* member = FindMember(object, name);
    return member != nullptr && member->is_object() ? *member : json::object();
}

} // namespace Vyro
