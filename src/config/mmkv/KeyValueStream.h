#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// The plaintext stream of a store: a placeholder varint, then records of (key, value), each a
// length-prefixed byte run. The stream is a log: a later record for a key replaces the earlier one
// and an empty value removes the key.
namespace Vyro::Mmkv {

// Key bytes to the stored value bytes of each live key.
using ValueMap = std::unordered_map<std::string, std::string>;

// Writers put a 4-byte placeholder varint first, a number in this range; readers skip it.
inline constexpr std::uint32_t kPlaceholderMin = 0x200000;
inline constexpr std::uint32_t kPlaceholderMax = 0x0FFFFFFF;

// The compacted stream of `values`: the placeholder, then one record per entry.
std::string EncodeStream(std::uint32_t placeholder, const ValueMap& values);

// The visible map after replaying every record in order; null when any part fails to parse, since
// a partly parsed stream would show a state that never existed.
std::optional<ValueMap> ReplayStream(std::string_view stream);

} // namespace Vyro::Mmkv
