#include "channels/xbox/XboxHelper.h"

#if defined(_WIN32)
#include <objbase.h>
#include <windows.h>

#include "channels/xbox/HResultText.h"
#include "common/Logger.h"
#endif

namespace Vyro::XboxHelper {

#if defined(_WIN32)

namespace {

// RtlGetDeviceFamilyInfoEnum's device form of a gaming handheld.
constexpr ULONG kDeviceFormGamingHandheld = 46;

using RtlGetDeviceFamilyInfoEnumFn = void(WINAPI*)(ULONGLONG* uapInfo, ULONG* deviceFamily, ULONG* deviceForm);

} // namespace

Gdk::HResult InitializeComSecurity()
{
    const HRESULT result = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                                RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
    if (FAILED(result)) {
        LogFailedCall("CoInitializeSecurity", result);
    }
    return result;
}

bool IsDeviceHandheld()
{
    // Looked up at run time: older Windows versions lack the function.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll == nullptr ? nullptr
                                        : reinterpret_cast<RtlGetDeviceFamilyInfoEnumFn>(
                                              reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetDeviceFamilyInfoEnum")));
    if (query == nullptr) {
        Log(LogLevel::Warning, "XboxHelper::IsDeviceHandheld: RtlGetDeviceFamilyInfoEnum not found in ntdll.dll");
        return false;
    }
    ULONG deviceForm = 0;
    query(nullptr, nullptr, &deviceForm);
    return deviceForm == kDeviceFormGamingHandheld;
}

#else

Gdk::HResult InitializeComSecurity() { return Gdk::kOk; }

bool IsDeviceHandheld() { return false; }

#endif

} // namespace Vyro::XboxHelper
