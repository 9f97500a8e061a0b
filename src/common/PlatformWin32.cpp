// Windows implementation of the platform utilities.
#include "common/Platform.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <climits>
#include <memory>
#include <type_traits>
#include <utility>

#include "common/Logger.h"

// winbase.h maps GetDllDirectory to GetDllDirectoryW, which would rename our own function.
#undef GetDllDirectory

namespace Vyro::Platform {

const wchar_t* const kOwnModuleName = L"VyroChannel.dll";

namespace {

// A plain number: a thread_local with a destructor would keep this library loaded until the thread
// that failed a load exits.
thread_local DWORD lastLoadError = 0;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct LocalFreer {
    void operator()(LPWSTR* array) const { LocalFree(array); }
};
using LocalArgv = std::unique_ptr<LPWSTR, LocalFreer>;

constexpr DWORD kPathBufferUnits = static_cast<DWORD>(kPathBufferLength);
constexpr DWORD kFixedFileInfoSize = 52;
constexpr int kGeoNameUnits = 85;

HMODULE ToHmodule(ModuleHandle module) { return static_cast<HMODULE>(module); }

std::wstring PathBuffer() { return std::wstring(kPathBufferLength, L'\0'); }

// The first `length` units of a filled path buffer.
std::wstring Truncated(std::wstring buffer, DWORD length)
{
    buffer.resize(length);
    return buffer;
}

} // namespace

std::wstring GetModulePath(ModuleHandle module)
{
    std::wstring buffer = PathBuffer();
    const DWORD length = GetModuleFileNameW(ToHmodule(module), buffer.data(), kPathBufferUnits);
    if (length == 0 || length == kPathBufferUnits) {
        Log(LogLevel::Error, "GetModuleFileNameW() failed or truncated, length: {}, error: {}", length, GetLastError());
        return {};
    }
    return Truncated(std::move(buffer), length);
}

namespace {

// The module this code is in, found from one of its own code addresses, so under whatever file name
// it was loaded; null when it cannot be told.
HMODULE CurrentModule()
{
    const auto address = reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&CurrentModule));
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            address, &module)) {
        return nullptr;
    }
    return module;
}

bool IsFileNameOf(const std::wstring& path, const std::wstring& fileName)
{
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    return CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), fileName.c_str(),
                                static_cast<int>(fileName.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

// A process may hold several copies of the library, one per folder: the copy asking for the folder
// of its own name gets its own, not the first one loaded.
std::wstring GetDllDirectory(const std::wstring& dllName)
{
    if (dllName.empty()) {
        Log(LogLevel::Warning, "Platform::GetDllDirectory() - invalid dllName parameter");
        return {};
    }
    if (HMODULE own = CurrentModule(); own != nullptr && IsFileNameOf(GetModulePath(own), dllName)) {
        return GetModuleDirectory(own);
    }
    HMODULE module = GetModuleHandleW(dllName.c_str());
    return module == nullptr ? std::wstring{} : GetModuleDirectory(module);
}

std::wstring GetCurrentModuleDirectory()
{
    HMODULE own = CurrentModule();
    return own == nullptr ? std::wstring{} : GetModuleDirectory(own);
}

std::wstring FindDllPath(const std::wstring& dllName)
{
    if (dllName.empty()) {
        Log(LogLevel::Warning, "Platform::FindDllPath() - invalid dllName parameter");
        return {};
    }
    if (HMODULE loaded = GetModuleHandleW(dllName.c_str())) {
        return GetModulePath(loaded);
    }
    const std::string name = WideToUtf8(dllName);
    std::wstring folder = GetDllDirectory(kOwnModuleName);
    if (folder.empty()) {
        // Loaded under another file name: with no folder of our own, SearchPathW would fall back to
        // the process's search order (current directory included), so the search is not made.
        Log(LogLevel::Error, "SearchPathW() failed for {}, error: {}", name, ERROR_FILE_NOT_FOUND);
        return {};
    }
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    std::wstring buffer = PathBuffer();
    const DWORD length = SearchPathW(folder.c_str(), dllName.c_str(), nullptr, kPathBufferUnits, buffer.data(), nullptr);
    if (length == 0) {
        Log(LogLevel::Error, "SearchPathW() failed for {}, error: {}", name, GetLastError());
        return {};
    }
    if (length >= kPathBufferUnits) {
        Log(LogLevel::Error, "SearchPathW() - buffer insufficient for {}", name);
        return {};
    }
    return Truncated(std::move(buffer), length);
}

std::optional<FileVersion> GetFileVersion(const std::wstring& path)
{
    if (path.empty()) {
        Log(LogLevel::Warning, "Platform::GetFileVersion() - empty filePath");
        return std::nullopt;
    }
    const std::string narrow = WideToUtf8(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        Log(LogLevel::Warning, "GetFileVersionInfoSizeW() failed for {}, error: {}", narrow, GetLastError());
        return std::nullopt;
    }
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        Log(LogLevel::Warning, "GetFileVersionInfoW() failed for {}, error: {}", narrow, GetLastError());
        return std::nullopt;
    }
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &length) || value == nullptr || length < kFixedFileInfoSize) {
        Log(LogLevel::Warning, "VerQueryValueW() failed or returned invalid data for {}", narrow);
        return std::nullopt;
    }
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                       LOWORD(info->dwFileVersionLS)};
}

namespace {

// Every process of the snapshot with its parent and executable name.
ProcessSnapshot ReadProcessSnapshot(HANDLE snapshotHandle)
{
    ProcessSnapshot snapshot;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshotHandle, &entry); more; more = Process32NextW(snapshotHandle, &entry)) {
        snapshot[entry.th32ProcessID] = {entry.th32ParentProcessID, entry.szExeFile};
    }
    return snapshot;
}

} // namespace

std::vector<ProcessAncestor> GetProcessAncestors()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        Log(LogLevel::Error, "CreateToolhelp32Snapshot() failed, error: {}", GetLastError());
        return {};
    }
    const UniqueHandle snapshotHandle(snapshot);
    return WalkAncestors(ReadProcessSnapshot(snapshotHandle.get()), GetCurrentProcessId());
}

std::string GetUserGeoName()
{
    // Looked up at run time: systems before Windows 10 1709 lack the function.
    using GetUserDefaultGeoNameFn = int(WINAPI*)(LPWSTR, int);
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const FARPROC proc = kernel32 == nullptr ? nullptr : GetProcAddress(kernel32, "GetUserDefaultGeoName");
    if (proc == nullptr) {
        return {};
    }
    const auto getUserDefaultGeoName = reinterpret_cast<GetUserDefaultGeoNameFn>(reinterpret_cast<void (*)()>(proc));
    wchar_t name[kGeoNameUnits] = {};
    const int length = getUserDefaultGeoName(name, kGeoNameUnits);
    return length > 0 ? WideToUtf8(name) : std::string{};
}

CommandLineArgs GetCommandLineArgs()
{
    const wchar_t* commandLine = GetCommandLineW();
    if (commandLine == nullptr) {
        Log(LogLevel::Warning, "GetCommandLineW() returned nullptr");
        return {};
    }
    if (commandLine[0] == L'\0') {
        return {};
    }
    int count = 0;
    const LocalArgv argv(CommandLineToArgvW(commandLine, &count));
    if (argv == nullptr) {
        Log(LogLevel::Warning, "CommandLineToArgvW() failed, error: {}", GetLastError());
        return {};
    }
    return ParseCommandLineArgs(std::vector<std::wstring>(argv.get(), argv.get() + count));
}

namespace {

// One UTF-8/UTF-16 conversion: `convert(input, inputSize, output, outputSize)` is the API call, first
// asked for the size (no output), then made. Invalid sequences come out replaced, not rejected.
template <typename Output, typename Input, typename Convert>
Output ConvertText(Input text, std::string_view apiName, Convert convert)
{
    if (text.empty()) {
        return {};
    }
    // The API counts in int; a longer text cannot be converted whole.
    const int size = text.size() > INT_MAX ? 0 : static_cast<int>(text.size());
    const int length = size == 0 ? 0 : convert(text.data(), size, nullptr, 0);
    if (length == 0) {
        Log(LogLevel::Error, "{}() size calculation failed, error: {}", apiName,
            size == 0 ? DWORD{ERROR_ARITHMETIC_OVERFLOW} : GetLastError());
        return {};
    }
    Output converted(static_cast<std::size_t>(length), typename Output::value_type{});
    if (convert(text.data(), size, converted.data(), length) == 0) {
        Log(LogLevel::Error, "{}() conversion failed, error: {}", apiName, GetLastError());
        return {};
    }
    return converted;
}

} // namespace

std::wstring Utf8ToWide(std::string_view text)
{
    return ConvertText<std::wstring>(text, "MultiByteToWideChar",
                                     [](const char* input, int size, wchar_t* output, int outputSize) {
                                         return MultiByteToWideChar(CP_UTF8, 0, input, size, output, outputSize);
                                     });
}

std::string WideToUtf8(std::wstring_view text)
{
    return ConvertText<std::string>(text, "WideCharToMultiByte",
                                    [](const wchar_t* input, int size, char* output, int outputSize) {
                                        return WideCharToMultiByte(CP_UTF8, 0, input, size, output, outputSize,
                                                                   nullptr, nullptr);
                                    });
}

namespace {

ModuleHandle Loaded(HMODULE module)
{
    if (module == nullptr) {
        lastLoadError = GetLastError();
    }
    return module;
}

} // namespace

ModuleHandle LoadLibraryFrom(const std::wstring& fullPath)
{
    // The library's own folder first for its dependencies, then the default safe folders.
    return Loaded(LoadLibraryExW(fullPath.c_str(), nullptr,
                                 LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS));
}

ModuleHandle LoadLibraryByName(const std::wstring& fileName) { return Loaded(LoadLibraryW(fileName.c_str())); }

void FreeLibrary(ModuleHandle module)
{
    if (module != nullptr) {
        ::FreeLibrary(ToHmodule(module));
    }
}

void PinCurrentModule()
{
    const auto address = reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&PinCurrentModule));
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN, address, &module);
}

void* FindFunction(ModuleHandle module, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(ToHmodule(module), name));
}

std::string LastLoadError() { return std::to_string(lastLoadError); }

} // namespace Vyro::Platform
