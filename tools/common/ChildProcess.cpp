#include "ChildProcess.h"

#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;
#endif

namespace VyroTools {

namespace {

std::string Failure(const std::string& what, int code)
{
    return what + ": " + std::system_category().message(code) + " (" + std::to_string(code) + ")";
}

} // namespace

#if defined(_WIN32)

namespace {

// One argument as the child's runtime splits its command line back: quoted, with backslashes
// doubled only where they precede a quote.
std::wstring Quoted(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L'"';
}

std::wstring CommandLine(const std::filesystem::path& program, const std::vector<std::string>& arguments)
{
    std::wstring commandLine = Quoted(program.wstring());
    for (const std::string& argument : arguments) {
        commandLine += L' ' + Quoted(std::filesystem::path(std::u8string(argument.begin(), argument.end())).wstring());
    }
    return commandLine;
}

// Windows hands a console child its parent's standard handles by itself only when they are consoles;
// a pipe or a file (how tests and scripts read the output) must be passed explicitly and be
// inheritable. Wine passes them either way, so its tests cannot tell.
HANDLE InheritableStandardHandle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    return handle;
}

} // namespace

std::optional<int> RunChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                            std::string& error)
{
    std::wstring commandLine = CommandLine(program, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritableStandardHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = InheritableStandardHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = InheritableStandardHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        error = Failure("CreateProcessW", static_cast<int>(GetLastError()));
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    DWORD exitCode = 0;
    const bool exited = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                        GetExitCodeProcess(process.hProcess, &exitCode);
    if (!exited) {
        error = Failure("waiting for the child", static_cast<int>(GetLastError()));
    }
    CloseHandle(process.hProcess);
    return exited ? std::optional<int>(static_cast<int>(exitCode)) : std::nullopt;
}

std::uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

#else

std::optional<int> RunChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                            std::string& error)
{
    std::vector<std::string> strings{program.string()};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : strings) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawnError = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (spawnError != 0) {
        error = Failure("posix_spawn", spawnError);
        return std::nullopt;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            error = Failure("waitpid", errno);
            return std::nullopt;
        }
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

std::uint32_t CurrentProcessId() { return static_cast<std::uint32_t>(getpid()); }

#endif

} // namespace VyroTools
