#include "HResults.h"

#include <cstdint>
#include <cstdio>

namespace Vyro::XboxSim {

std::string HResultText(HResult result)
{
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(static_cast<std::uint32_t>(result)));
    return text;
}

} // namespace Vyro::XboxSim
