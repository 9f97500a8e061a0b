#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Base-128 varints as the store's key/value stream uses them: seven payload bits per byte, least
// significant group first, the high bit set on every byte but the last; and byte runs behind a
// varint length.
namespace Vyro::Mmkv {

// The longest varint a reader accepts: a full 64-bit value.
inline constexpr std::size_t kMaxVarintBytes = 10;

// Appends the minimal encoding of `value`.
void AppendVarint(std::string& out, std::uint64_t value);

// Reads one varint from the front of `in` and advances past it. Null when `in` ends inside the
// varint or no byte within kMaxVarintBytes ends it; bits beyond 64 are dropped.
std::optional<std::uint64_t> ReadVarint(std::string_view& in);

// A varint read the 32-bit way: the low 32 bits of the value, as a signed number.
std::optional<std::int32_t> ReadVarint32(std::string_view& in);

// Bytes behind their length as a varint: keys, values, strings.
void AppendLengthPrefixed(std::string& out, std::string_view bytes);
// Null when the length does not read as a 32-bit varint, is negative, or exceeds what `in` holds.
std::optional<std::string_view> ReadLengthPrefixed(std::string_view& in);

} // namespace Vyro::Mmkv
