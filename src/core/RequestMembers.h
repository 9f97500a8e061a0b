#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace Vyro {

// Lenient readers of request members: a member that is missing, or present with another JSON type,
// is "not given", and the caller applies its default. `object` may be any JSON value; only an object
// has members.

// The member when it is a string.
std::optional<std::string> StringMember(const nlohmann::json& object, const char* name);
// The member when it is a boolean.
std::optional<bool> BoolMember(const nlohmann::json& object, const char* name);
// The member when it is an object, else an empty object: store-specific members sit in an object
// named after the store ("xbox", "google").
nlohmann::json ObjectMember(const nlohmann::json& object, const char* name);

// Whether the object has the member, of whatever type: for callers that refuse a mistyped member
// instead of applying their default.
bool HasMember(const nlohmann::json& object, const char* name);
// The member when it is a JSON integer (not a fraction) within the range of the type: a negative or
// too large number is not given either, never wrapped into range.
std::optional<std::uint32_t> Uint32Member(const nlohmann::json& object, const char* name);
std::optional<std::int32_t> Int32Member(const nlohmann::json& object, const char* name);
std::optional<std::uint64_t> Uint64Member(const nlohmann::json& object, const char* name);

} // namespace Vyro
