#include "channels/xbox/HResultText.h"

#include <cstdint>

#include <fmt/format.h>

#include "common/Logger.h"

namespace Vyro {

std::string HResultText(Gdk::HResult result) { return fmt::format("0x{:08X}", static_cast<std::uint32_t>(result)); }

void LogFailedCall(const char* call, Gdk::HResult result)
{
    Log(LogLevel::Error, "{} failed: {}", call, HResultText(result));
}

} // namespace Vyro
