#pragma once

#include <optional>
#include <string>

namespace Vyro::Platform {

// What is wrong with a 64-bit ELF file whose program headers or loadable segments run past its end,
// as in a truncated copy; nothing for a complete one and for files that are not 64-bit ELF (the
// loader refuses those cleanly). The loader maps such segments anyway and the process dies of a
// bus error when it touches them, so a store runtime is checked before it is loaded.
std::optional<std::string> TruncatedElfImage(const std::string& path);

} // namespace Vyro::Platform
