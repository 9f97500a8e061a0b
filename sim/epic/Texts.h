#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Vyro::EosSim {

// A text field of an SDK record: none is a null pointer.
using Text = std::optional<std::string>;

inline const char* PointerOf(const Text& text) { return text ? text->c_str() : nullptr; }

inline bool IsEmpty(const char* text) { return text == nullptr || *text == '\0'; }

// `prefix` and `number` in at least four digits: "sim-txn-0001".
std::string Numbered(const char* prefix, std::uint64_t number);
// 32 lower-case hexadecimal digits, the shape of EOS ids, made from `tag` and `number` so that
// ids of different kinds never meet.
std::string HexId(std::uint32_t tag, std::uint64_t number);

} // namespace Vyro::EosSim
