// POSIX implementation of the platform utilities: the natural equivalents of the Windows calls,
// with the same log texts so that detection reads the same on every platform.
#include "common/Platform.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "common/ElfImageCheck.h"
#include "common/FileVersionNote.h"
#include "common/Logger.h"

namespace Vyro::Platform {

const wchar_t* const kOwnModuleName = L"libVyroChannel.so";

namespace {

// A plain buffer: a thread_local with a destructor would keep this library loaded until the thread
// that failed a load exits, so a game (or test) could never unload it again.
thread_local char lastLoadError[1024];

std::string ToNarrowPath(const std::wstring& path) { return WideToUtf8(path); }

// The full path of a loaded object as the loader knows it; relative names are made absolute.
std::wstring AbsolutePath(const char* name)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    return Utf8ToWide(error ? std::string(name) : absolute.string());
}

std::wstring FileNameOf(const std::wstring& path)
{
    const auto separator = path.find_last_of(L'/');
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

// The path of the already loaded object whose file name is `name`, if any.
std::string FindLoadedPath(const std::wstring& name)
{
    struct Search {
        std::wstring name;
        std::string path;
    } search{name, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            auto* search = static_cast<Search*>(data);
            if (info->dlpi_name == nullptr || info->dlpi_name[0] == '\0') {
                return 0;
            }
            if (FileNameOf(Utf8ToWide(info->dlpi_name)) != search->name) {
                return 0;
            }
            search->path = info->dlpi_name;
            return 1;
        },
        &search);
    return search.path;
}

// GetModuleHandleW: the handle of a loaded object by file name, without taking a reference.
ModuleHandle FindLoadedModule(const std::wstring& name)
{
    const std::string path = FindLoadedPath(name);
    if (path.empty()) {
        return nullptr;
    }
    void* handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle); // still loaded by whoever loaded it; the handle stays valid meanwhile
    }
    return handle;
}

} // namespace

std::wstring GetModulePath(ModuleHandle module)
{
    link_map* map = nullptr;
    if (module == nullptr || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
        Log(LogLevel::Error, "GetModuleFileNameW() failed or truncated, length: {}, error: {}", 0, EINVAL);
        return {};
    }
    const char* name = map->l_name;
    std::string mainProgram;
    if (name == nullptr || name[0] == '\0') {
        std::error_code error;
        mainProgram = std::filesystem::read_symlink("/proc/self/exe", error).string();
        name = mainProgram.c_str();
    }
    const std::size_t length = std::strlen(name);
    if (length == 0 || length >= kPathBufferLength) {
        Log(LogLevel::Error, "GetModuleFileNameW() failed or truncated, length: {}, error: {}", length, ENAMETOOLONG);
        return {};
    }
    return AbsolutePath(name);
}

namespace {

// The absolute path of the module this code is in; empty when it cannot be told.
std::wstring CurrentModulePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&CurrentModulePath), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return AbsolutePath(info.dli_fname);
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
    const std::wstring own = CurrentModulePath();
    if (!own.empty() && own.substr(own.rfind(L'/') + 1) == dllName) {
        return CutAtLastSeparator(own);
    }
    ModuleHandle module = FindLoadedModule(dllName);
    return module == nullptr ? std::wstring{} : GetModuleDirectory(module);
}

std::wstring GetCurrentModuleDirectory()
{
    const std::wstring own = CurrentModulePath();
    return own.empty() ? std::wstring{} : CutAtLastSeparator(own);
}

std::wstring FindDllPath(const std::wstring& dllName)
{
    if (dllName.empty()) {
        Log(LogLevel::Warning, "Platform::FindDllPath() - invalid dllName parameter");
        return {};
    }
    if (ModuleHandle loaded = FindLoadedModule(dllName)) {
        return GetModulePath(loaded);
    }
    const std::string name = WideToUtf8(dllName);
    std::wstring folder = GetDllDirectory(kOwnModuleName);
    if (folder.empty()) {
        // The library runs under another file name: there is no folder of its own to search.
        Log(LogLevel::Error, "SearchPathW() failed for {}, error: {}", name, ENOENT);
        return {};
    }
    if (folder.back() != L'/') {
        folder += L'/';
    }
    const std::wstring path = folder + dllName;
    if (path.size() >= kPathBufferLength) {
        Log(LogLevel::Error, "SearchPathW() - buffer insufficient for {}", name);
        return {};
    }
    struct stat status {};
    const int error = stat(ToNarrowPath(path).c_str(), &status) != 0 ? errno : S_ISDIR(status.st_mode) ? ENOENT : 0;
    if (error != 0) {
        Log(LogLevel::Error, "SearchPathW() failed for {}, error: {}", name, error);
        return {};
    }
    return path;
}

namespace {

template <typename T>
bool ReadAt(const std::string& bytes, std::size_t offset, T& value)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) {
        return false;
    }
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

std::optional<FileVersion> FindVersionNote(const std::string& bytes, std::size_t offset, std::size_t size)
{
    const std::size_t end = std::min(bytes.size(), offset + size);
    while (offset + 12 <= end) {
        std::uint32_t nameSize = 0, descSize = 0, type = 0;
        ReadAt(bytes, offset, nameSize);
        ReadAt(bytes, offset + 4, descSize);
        ReadAt(bytes, offset + 8, type);
        const std::size_t nameOffset = offset + 12;
        const std::size_t descOffset = nameOffset + ((nameSize + 3) & ~3u);
        const std::size_t next = descOffset + ((descSize + 3) & ~3u);
        if (next > end) {
            break;
        }
        if (type == kFileVersionNoteType && nameSize == sizeof(kFileVersionNoteName) && descSize == 8 &&
            std::memcmp(bytes.data() + nameOffset, kFileVersionNoteName, nameSize) == 0) {
            std::uint16_t parts[4];
            std::memcpy(parts, bytes.data() + descOffset, sizeof(parts));
            return FileVersion{parts[0], parts[1], parts[2], parts[3]};
        }
        offset = next;
    }
    return std::nullopt;
}

// The version note of a 64-bit little-endian ELF file, found through its section headers.
std::optional<FileVersion> ReadElfVersion(const std::string& bytes)
{
    constexpr unsigned char kElfMagic[] = {0x7F, 'E', 'L', 'F', 2 /*64-bit*/, 1 /*little endian*/};
    if (bytes.size() < sizeof(Elf64_Ehdr) || std::memcmp(bytes.data(), kElfMagic, sizeof(kElfMagic)) != 0) {
        return std::nullopt;
    }
    Elf64_Ehdr header{};
    ReadAt(bytes, 0, header);
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr section{};
        if (header.e_shentsize < sizeof(Elf64_Shdr) || !ReadAt(bytes, header.e_shoff + i * header.e_shentsize, section)) {
            return std::nullopt;
        }
        if (section.sh_type != SHT_NOTE) {
            continue;
        }
        if (auto version = FindVersionNote(bytes, section.sh_offset, section.sh_size)) {
            return version;
        }
    }
    return std::nullopt;
}

} // namespace

namespace {

// In blocks rather than byte by byte: store runtimes with debug information run to megabytes.
std::string ReadStream(std::ifstream& file)
{
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::move(bytes).str();
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return ReadStream(file);
}

} // namespace

std::optional<FileVersion> GetFileVersion(const std::wstring& path)
{
    if (path.empty()) {
        Log(LogLevel::Warning, "Platform::GetFileVersion() - empty filePath");
        return std::nullopt;
    }
    const std::string narrow = ToNarrowPath(path);
    std::ifstream file(narrow, std::ios::binary);
    if (!file) {
        Log(LogLevel::Warning, "GetFileVersionInfoSizeW() failed for {}, error: {}", narrow, ENOENT);
        return std::nullopt;
    }
    auto version = ReadElfVersion(ReadStream(file));
    if (!version) {
        Log(LogLevel::Warning, "GetFileVersionInfoSizeW() failed for {}, error: {}", narrow, ENODATA);
    }
    return version;
}

namespace {

// The executable name of a process: the kernel's name for it, which is cut to 15 bytes, completed
// from the first command-line argument when that was the case.
std::wstring ProcessName(const std::string& procDir, const std::string& comm)
{
    constexpr std::size_t kCommLength = 15;
    if (comm.size() < kCommLength) {
        return Utf8ToWide(comm);
    }
    const std::string cmdline = ReadWholeFile(procDir + "/cmdline");
    const std::string argv0 = cmdline.substr(0, cmdline.find('\0'));
    const std::string baseName = argv0.substr(argv0.find_last_of('/') + 1);
    return Utf8ToWide(baseName.starts_with(comm) ? baseName : comm);
}

bool ReadProcessRecord(const std::filesystem::path& procDir, ProcessRecord& record)
{
    const std::string stat = ReadWholeFile(procDir / "stat");
    const auto open = stat.find('(');
    const auto close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return false;
    }
    std::istringstream rest(stat.substr(close + 1));
    char state = 0;
    std::uint32_t parentId = 0;
    if (!(rest >> state >> parentId)) {
        return false;
    }
    record.parentId = parentId;
    record.exeName = ProcessName(procDir.string(), stat.substr(open + 1, close - open - 1));
    return true;
}

} // namespace

std::vector<ProcessAncestor> GetProcessAncestors()
{
    std::error_code error;
    std::filesystem::directory_iterator proc("/proc", error);
    if (error) {
        Log(LogLevel::Error, "CreateToolhelp32Snapshot() failed, error: {}", error.value());
        return {};
    }
    ProcessSnapshot snapshot;
    for (const auto& entry : proc) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        ProcessRecord record;
        if (ReadProcessRecord(entry.path(), record)) {
            snapshot[static_cast<std::uint32_t>(std::strtoul(name.c_str(), nullptr, 10))] = std::move(record);
        }
    }
    return WalkAncestors(snapshot, static_cast<std::uint32_t>(getpid()));
}

namespace {
// The longest region name Windows hands out is 84 characters (a buffer of 85 with its terminator).
constexpr std::size_t kGeoNameLength = 85;
constexpr const char* kGeoNameCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
} // namespace

std::string GetUserGeoName()
{
    // The region of the user's locale ("en_GB.UTF-8" gives GB), by the POSIX precedence of the
    // locale variables.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || value[0] == '\0') {
            continue;
        }
        const std::string locale(value);
        const auto underscore = locale.find('_');
        if (underscore == std::string::npos) {
            return {};
        }
        const std::string region = locale.substr(underscore + 1, locale.find_first_of(".@", underscore) - underscore - 1);
        // A region is a code such as GB or 419; anything else in the variable is not one.
        const bool isCode = !region.empty() && region.size() < kGeoNameLength &&
                            region.find_first_not_of(kGeoNameCharacters) == std::string::npos;
        return isCode ? region : std::string{};
    }
    return {};
}

CommandLineArgs GetCommandLineArgs()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    if (!file) {
        Log(LogLevel::Warning, "GetCommandLineW() returned nullptr");
        return {};
    }
    std::vector<std::wstring> argv;
    std::string argument;
    while (std::getline(file, argument, '\0')) {
        argv.push_back(Utf8ToWide(argument));
    }
    return ParseCommandLineArgs(argv);
}

std::wstring Utf8ToWide(std::string_view text)
{
    std::wstring wide;
    wide.reserve(text.size());
    constexpr wchar_t kReplacement = 0xFFFD;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            wide += kReplacement;
            ++i;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = valid && (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kMinimum[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        wide += valid ? static_cast<wchar_t>(code) : kReplacement;
        i += valid ? length : 1;
    }
    return wide;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string utf8;
    utf8.reserve(text.size());
    for (const wchar_t character : text) {
        char32_t code = static_cast<char32_t>(character);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (code >> 18));
            utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

ModuleHandle LoadLibraryFrom(const std::wstring& fullPath)
{
    const std::string path = ToNarrowPath(fullPath);
    if (const std::optional<std::string> truncated = TruncatedElfImage(path)) {
        std::snprintf(lastLoadError, sizeof(lastLoadError), "%s: %s", path.c_str(), truncated->c_str());
        return nullptr;
    }
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* error = dlerror();
        std::snprintf(lastLoadError, sizeof(lastLoadError), "%s", error != nullptr ? error : "unknown error");
    }
    return module;
}

ModuleHandle LoadLibraryByName(const std::wstring& fileName) { return LoadLibraryFrom(fileName); }

void FreeLibrary(ModuleHandle module)
{
    if (module != nullptr) {
        dlclose(module);
    }
}

void* FindFunction(ModuleHandle module, const char* name) { return dlsym(module, name); }

void PinCurrentModule()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&PinCurrentModule), &info) == 0 || info.dli_fname == nullptr) {
        return;
    }
    // A reference that is never closed, on a module that may then never be unloaded.
    dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

std::string LastLoadError() { return lastLoadError; }

} // namespace Vyro::Platform
