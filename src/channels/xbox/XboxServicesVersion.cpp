#include "channels/xbox/XboxServicesVersion.h"

#include <fmt/format.h>

#include "channels/xbox/XblApi.h"
#include "common/Platform.h"

namespace Vyro::Xbl {

namespace {

// Xbox services versions begin with the year of their release; other numberings stay far below.
constexpr std::uint16_t kFirstReleaseYear = 2000;
constexpr Platform::FileVersion kOldestReadable{2024, 10, 0, 0};

} // namespace

std::optional<std::string> RefuseOlderServices()
{
    const std::wstring path = Platform::FindDllPath(kServicesFileName);
    const std::optional<Platform::FileVersion> version = path.empty() ? std::nullopt : Platform::GetFileVersion(path);
    if (!version || version->major < kFirstReleaseYear || *version >= kOldestReadable) {
        return std::nullopt;
    }
    return fmt::format("{} is Xbox services {}.{:02}: the October 2024 GDK (Xbox services 2024.10) or later is required",
                       Platform::WideToUtf8(kServicesFileName), version->major, version->minor);
}

} // namespace Vyro::Xbl
