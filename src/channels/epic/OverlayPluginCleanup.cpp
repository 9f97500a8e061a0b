#include "channels/epic/OverlayPluginCleanup.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "common/Logger.h"
#include "common/Platform.h"
#include "config/Utf8Path.h"

namespace Vyro {

void RemoveConflictingOverlayPlugin()
{
    const std::wstring directory = Platform::GetDllDirectory(Platform::kOwnModuleName);
    if (directory.empty()) {
        return;
    }
    std::wstring plugin = directory;
    plugin += Platform::kPathSeparator;
    plugin += L"gfxPluginEOSSDK.dll";
    const std::filesystem::path path = PathFromUtf8(Platform::WideToUtf8(plugin));
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return;
    }
    Log(LogLevel::Warning, "[EpicChannelSDK] Found conflicting gfxPluginEOSSDK.dll in {}", Platform::WideToUtf8(directory));
    std::filesystem::remove(path, error); // a file that cannot be deleted is left, as before
}

} // namespace Vyro
