#pragma once

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

} // namespace Vyro
