#include "Texts.h"

#include <cinttypes>
#include <cstdio>

namespace Vyro::EosSim {

std::string Numbered(const char* prefix, std::uint64_t number)
{
    std::string digits = std::to_string(number);
    return prefix + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

std::string HexId(std::uint32_t tag, std::uint64_t number)
{
    char text[33];
    std::snprintf(text, sizeof text, "%08" PRIx32 "%08" PRIx32 "%016" PRIx64, tag, tag ^ 0x5EED5EEDu, number);
    return text;
}

} // namespace Vyro::EosSim
