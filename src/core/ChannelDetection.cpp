#include "core/ChannelDetection.h"

#include "common/Logger.h"
#include "core/ChannelType.h"

namespace Vyro {

const std::vector<StoreRuntime>& StoreRuntimes()
{
    static const std::vector<StoreRuntime> runtimes{
        {ChannelType::Google, L"play_pc_sdk.dll", std::nullopt},
        {ChannelType::Steam, L"steam_api64.dll", Platform::FileVersion{9, 60, 0, 0}},
        {ChannelType::Xbox, L"Microsoft.Xbox.Services.GDK.C.Thunks.dll", std::nullopt},
        {ChannelType::Epic, L"EOSSDK-Win64-Shipping.dll", std::nullopt},
    };
    return runtimes;
}

std::wstring StoreRuntimeFileName(int channelType)
{
    for (const auto& runtime : StoreRuntimes()) {
        if (runtime.channelType == channelType) {
            return runtime.dllName;
        }
    }
    return {};
}

bool IsDllUsable(const std::wstring& dllName, const std::optional<Platform::FileVersion>& minimumVersion)
{
    const std::wstring path = Platform::FindDllPath(dllName);
    if (path.empty()) {
        return false;
    }
    if (!minimumVersion) {
        return true;
    }
    const auto version = Platform::GetFileVersion(path);
    const std::string name = Platform::WideToUtf8(dllName);
    if (!version) {
        Log(LogLevel::Warning, "DLL {} has no readable version resource - treating as not detected", name);
        return false;
    }
    if (*version < *minimumVersion) {
        Log(LogLevel::Warning, "DLL {} version {}.{}.{}.{} is below required {}.{}.{}.{} - treating as not detected",
            name, version->major, version->minor, version->build, version->revision, minimumVersion->major,
            minimumVersion->minor, minimumVersion->build, minimumVersion->revision);
        return false;
    }
    return true;
}

int DetectStores(std::vector<int>& detected)
{
    for (const auto& runtime : StoreRuntimes()) {
        if (IsDllUsable(runtime.dllName, runtime.minimumVersion)) {
            detected.push_back(runtime.channelType);
        }
    }
    if (detected.size() >= 2) {
        std::wstring message = L"Multiple DLL FOUND:";
        for (const int type : detected) {
            message += StoreRuntimeFileName(type) + L", ";
        }
        Log(LogLevel::Error, message);
    }
    if (detected.empty()) {
        Log(LogLevel::Warning, "DetectChannelType: No compatible channel detected");
        return ChannelType::None;
    }
    return detected.front();
}

} // namespace Vyro
