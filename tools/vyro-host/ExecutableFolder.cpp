#include "ExecutableFolder.h"

#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace VyroHost {

std::filesystem::path ExecutablePath()
{
#if defined(_WIN32)
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return {};
    }
    buffer.resize(length);
    return std::filesystem::path(buffer);
#else
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable;
#endif
}

std::filesystem::path ExecutableFolder() { return ExecutablePath().parent_path(); }

} // namespace VyroHost
