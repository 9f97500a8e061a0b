#include "ProcessLiveness.h"

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <unistd.h>
#endif

namespace VyroHost {

#if defined(_WIN32)

namespace {

std::uint64_t CreationTime(HANDLE process)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

} // namespace

std::string CurrentProcessIdentity()
{
    return std::to_string(GetCurrentProcessId()) + "." + std::to_string(CreationTime(GetCurrentProcess()));
}

bool ProcessRunning(const std::string& identity)
{
    const auto dot = identity.find('.');
    if (dot == std::string::npos) {
        return true;
    }
    const auto processId = static_cast<DWORD>(std::strtoul(identity.c_str(), nullptr, 10));
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT &&
                         std::to_string(CreationTime(process)) == identity.substr(dot + 1);
    CloseHandle(process);
    return running;
}

#else

std::string CurrentProcessIdentity() { return std::to_string(getpid()); }

bool ProcessRunning(const std::string& identity)
{
    const auto processId = static_cast<pid_t>(std::strtol(identity.c_str(), nullptr, 10));
    return processId <= 0 || kill(processId, 0) == 0 || errno != ESRCH;
}

#endif

} // namespace VyroHost
