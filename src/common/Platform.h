#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Small operating-system services. Paths and module names are wide strings on every platform
// (UTF-16 on Windows, UTF-32 on POSIX); texts handed to channel code are UTF-8. Failures are logged
// and returned as empty results; nothing here throws for an ordinary failure.
namespace Vyro::Platform {

// HMODULE on Windows, a dlopen handle on POSIX.
using ModuleHandle = void*;

struct FileVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t build = 0;
    std::uint16_t revision = 0;
    auto operator<=>(const FileVersion&) const = default;
};

struct ProcessAncestor {
    std::uint32_t processId = 0;
    std::string exeName; // bare file name, UTF-8, e.g. steam.exe
};

// One process of a snapshot: its parent and executable file name.
struct ProcessRecord {
    std::uint32_t parentId = 0;
    std::wstring exeName;
};

using ProcessSnapshot = std::map<std::uint32_t, ProcessRecord>;
using CommandLineArgs = std::map<std::string, std::string>;

// "VyroChannel.dll" on Windows, "libVyroChannel.so" on POSIX.
extern const wchar_t* const kOwnModuleName;

// Capacity, in wide characters, of every module path and search result buffer.
inline constexpr std::size_t kPathBufferLength = 0x8000;

std::wstring GetModulePath(ModuleHandle module);
std::wstring GetModuleDirectory(ModuleHandle module);
std::wstring GetDllDirectory(const std::wstring& dllName);
std::wstring GetCurrentModuleDirectory();
std::wstring FindDllPath(const std::wstring& dllName);
std::optional<FileVersion> GetFileVersion(const std::wstring& path);
std::vector<ProcessAncestor> GetProcessAncestors();
std::string GetUserGeoName();
CommandLineArgs GetCommandLineArgs();

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

std::string ToLowerAscii(std::string_view text);
std::string HexEncode(const std::uint8_t* bytes, std::size_t size, bool upperCase);
std::string UrlDecode(std::string_view text);

// Portable cores of the OS-specific utilities above, shared by both implementations.
std::wstring CutAtLastSeparator(const std::wstring& path);
std::vector<ProcessAncestor> WalkAncestors(const ProcessSnapshot& snapshot, std::uint32_t selfId);
CommandLineArgs ParseCommandLineArgs(const std::vector<std::wstring>& argv);

// Dynamic libraries. LoadLibraryFrom loads a full path so that the library's own dependencies are
// also looked for in its folder; LoadLibraryByName uses the platform's default search.
ModuleHandle LoadLibraryFrom(const std::wstring& fullPath);
ModuleHandle LoadLibraryByName(const std::wstring& fileName);
void FreeLibrary(ModuleHandle module);
void* FindFunction(ModuleHandle module, const char* name);
// Keeps the module this code is in loaded until the process ends, whoever unloads it: a store
// runtime's own threads may still be returning from a callback into it.
void PinCurrentModule();
// The error of the last failed call above: the platform error number, or dlerror() text.
std::string LastLoadError();

// The path separator of the platform's file names.
inline constexpr wchar_t kPathSeparator =
#if defined(_WIN32)
    L'\\';
#else
    L'/';
#endif

} // namespace Vyro::Platform
