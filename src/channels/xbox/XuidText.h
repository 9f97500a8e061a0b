#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/DecimalText.h"

namespace Vyro {

// The conversion errors a game sees for an xuid it gave that is no xuid.
inline constexpr char kXuidInvalid[] = "invalid stoull argument";
inline constexpr char kXuidOutOfRange[] = "stoull argument out of range";

// An xuid given as text: leading blanks and a plus sign skipped, decimal digits read up to the first
// character that is not one. A minus sign is refused as out of range: the C library would wrap "-5"
// into an xuid nobody has.
DecimalReading<std::uint64_t> ReadXuidText(const std::string& text);
// An xuid given as a JSON number: an integer as it is, a floating number without its fraction. A
// negative number, or one of 2^64 and above, is out of range rather than wrapped.
DecimalReading<std::uint64_t> ReadXuidNumber(const nlohmann::json& number);

// The xuids of an array member, in order. A text or number that is no xuid is skipped with the
// WARNING "<operation>: Skipping invalid xuid '<text>': <error>"; any other element is skipped
// silently. A member that is absent or not an array gives no xuid.
std::vector<std::uint64_t> ParseXuidList(const nlohmann::json& member, const char* operation);

} // namespace Vyro
