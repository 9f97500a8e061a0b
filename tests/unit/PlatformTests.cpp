// Platform utilities: the portable cores with made-up inputs, and each operating system's
// implementation against real files, modules and processes.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <elf.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "LogCapture.h"
#include "common/Platform.h"

using namespace Vyro;
using VyroTest::LogCapture;
namespace fs = std::filesystem;

namespace {

// Build paths are POSIX paths even for the Windows build; made absolute they become the paths
// Windows itself reports (Z:\... under Wine).
fs::path BuiltFile(const char* path) { return fs::absolute(fs::path(path)).make_preferred(); }

const fs::path kStubBelow = BuiltFile(STUB_VERSION_BELOW);
const fs::path kStubEqual = BuiltFile(STUB_VERSION_EQUAL);
const fs::path kStubAbove = BuiltFile(STUB_VERSION_ABOVE);
const fs::path kStubNoVersion = BuiltFile(STUB_NO_VERSION);
const fs::path kProbe = BuiltFile(PLATFORM_PROBE);

bool EndsWithSeparator(const std::wstring& path) { return !path.empty() && (path.back() == L'\\' || path.back() == L'/'); }

// A library loaded for the duration of a test.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const fs::path& path) : module_(Platform::LoadLibraryFrom(path.wstring())) {}
    ~LoadedLibrary() { Platform::FreeLibrary(module_); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    Platform::ModuleHandle Module() const { return module_; }

private:
    Platform::ModuleHandle module_;
};

} // namespace

// --- Command line ----------------------------------------------------------------------------

TEST(CommandLineArgs, KeepsOnlyDashedNameValuePairs)
{
    const Platform::CommandLineArgs expected{{"program", "game.exe"}, {"a", "1"}, {"b", "2"}};
    EXPECT_EQ(Platform::ParseCommandLineArgs({L"game.exe", L"-a=1", L"--b=2", L"c", L"-d", L"--=x"}), expected);
    EXPECT_EQ(Platform::ParseCommandLineArgs({L"game.exe", L"-", L"--", L"-=v", L"=v", L"---c=3"}),
              (Platform::CommandLineArgs{{"program", "game.exe"}, {"-c", "3"}}));
}

TEST(CommandLineArgs, ProgramIsCutAtTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(Platform::ParseCommandLineArgs({L"C:\\Games\\X/bin\\game.exe"}).at("program"), "game.exe");
    EXPECT_EQ(Platform::ParseCommandLineArgs({L"C:/Games\\X/game"}).at("program"), "game");
    EXPECT_EQ(Platform::ParseCommandLineArgs({L"game.exe"}).at("program"), "game.exe");
    EXPECT_TRUE(Platform::ParseCommandLineArgs({}).empty());
}

TEST(CommandLineArgs, LaterDuplicatesWinAndValuesKeepEverythingAfterTheFirstEquals)
{
    const auto args = Platform::ParseCommandLineArgs(
        {L"game.exe", L"-epicenv=Prod", L"--epicenv=Dev", L"-Epicenv=Case", L"-empty=", L"--url=a=b", L"-name=Zo\u00EB"});
    const Platform::CommandLineArgs expected{{"program", "game.exe"}, {"epicenv", "Dev"}, {"Epicenv", "Case"},
                                             {"empty", ""},           {"url", "a=b"},     {"name", "Zo\xC3\xAB"}};
    EXPECT_EQ(args, expected);
}

TEST(CommandLineArgs, OwnProcessReportsItsProgramName)
{
    LogCapture log;
    const auto args = Platform::GetCommandLineArgs();
    ASSERT_EQ(args.count("program"), 1u);
    EXPECT_EQ(args.at("program"), TEST_PROGRAM_NAME);
    EXPECT_TRUE(log.Lines().empty());
}

// --- Text ------------------------------------------------------------------------------------

TEST(UrlDecode, DecodesOnlyCompleteHexEscapes)
{
    EXPECT_EQ(Platform::UrlDecode("a%2Fb%zz%4"), "a/b%zz%4");
    EXPECT_EQ(Platform::UrlDecode("%41%6a%6A"), "Ajj");
    EXPECT_EQ(Platform::UrlDecode("%%41%"), "%A%");
    EXPECT_EQ(Platform::UrlDecode("a+b%2"), "a+b%2");
    EXPECT_EQ(Platform::UrlDecode("%00%FF"), std::string("\0\xFF", 2));
    EXPECT_EQ(Platform::UrlDecode(""), "");
}

TEST(HexEncode, TwoDigitsPerByteHighNibbleFirst)
{
    const std::uint8_t bytes[] = {0x0A, 0xFF, 0x00, 0x90};
    EXPECT_EQ(Platform::HexEncode(bytes, 2, false), "0aff");
    EXPECT_EQ(Platform::HexEncode(bytes, 2, true), "0AFF");
    EXPECT_EQ(Platform::HexEncode(bytes, 4, false), "0aff0090");
    EXPECT_EQ(Platform::HexEncode(bytes, 0, true), "");
}

TEST(ToLowerAscii, ChangesOnlyAsciiLetters)
{
    EXPECT_EQ(Platform::ToLowerAscii("STEAM_Api64.DLL"), "steam_api64.dll");
    EXPECT_EQ(Platform::ToLowerAscii("\xC3\x84Z"), "\xC3\x84z");
}

TEST(TextConversion, RoundTripsEveryPlaneOfUnicode)
{
    LogCapture log;
    const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"; // a, e acute, euro sign, U+1F600, z
    const std::wstring wide = L"a\u00E9\u20AC\U0001F600z";
    EXPECT_EQ(Platform::Utf8ToWide(utf8), wide);
    EXPECT_EQ(Platform::WideToUtf8(wide), utf8);
    EXPECT_EQ(Platform::WideToUtf8(Platform::Utf8ToWide(utf8)), utf8);
    EXPECT_EQ(Platform::Utf8ToWide(""), L"");
    EXPECT_EQ(Platform::WideToUtf8(L""), "");
    EXPECT_TRUE(log.Lines().empty());
}

TEST(TextConversion, InvalidInputIsReplacedNotRejected)
{
    LogCapture log;
    EXPECT_EQ(Platform::Utf8ToWide("\xC3\x28"), L"\uFFFD(");
    EXPECT_EQ(Platform::Utf8ToWide("a\xFF" "b"), L"a\uFFFDb");
    // How many replacement characters a broken sequence gives differs between systems; that it
    // decodes to nothing else (an overlong "/" must not become "/") does not.
    const std::pair<const char*, const wchar_t*> broken[] = {
        {"\xC0\xAF", L""}, {"\xED\xA0\x80" "x", L"x"}, {"x\xF0\x9F", L"x"}, {"\xF4\x90\x80\x80", L""}};
    for (const auto& [utf8, kept] : broken) {
        std::wstring wide = Platform::Utf8ToWide(utf8);
        EXPECT_NE(wide.find(L'\uFFFD'), std::wstring::npos) << utf8;
        std::erase(wide, L'\uFFFD');
        EXPECT_EQ(wide, kept) << utf8;
    }
    const std::wstring loneSurrogate{L'a', static_cast<wchar_t>(0xD800), L'b'};
    EXPECT_EQ(Platform::WideToUtf8(loneSurrogate), "a\xEF\xBF\xBD" "b");
    EXPECT_TRUE(log.Lines().empty());
}

// --- File versions ---------------------------------------------------------------------------

TEST(FileVersion, ReadsAllFourPartsOfEachFile)
{
    LogCapture log;
    EXPECT_EQ(Platform::GetFileVersion(kStubBelow.wstring()), (Platform::FileVersion{9, 59, 99, 99}));
    EXPECT_EQ(Platform::GetFileVersion(kStubEqual.wstring()), (Platform::FileVersion{9, 60, 0, 0}));
    EXPECT_EQ(Platform::GetFileVersion(kStubAbove.wstring()), (Platform::FileVersion{9, 61, 0, 0}));
    EXPECT_TRUE(log.Lines().empty());
}

TEST(FileVersion, FileWithoutVersionWarnsAndGivesNothing)
{
    LogCapture log;
    EXPECT_EQ(Platform::GetFileVersion(kStubNoVersion.wstring()), std::nullopt);
    const auto warnings = log.Messages(LogLevel::Warning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].starts_with("GetFileVersionInfoSizeW() failed for " + kStubNoVersion.string() + ", error: "))
        << warnings[0];
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST(FileVersion, MissingFileWarnsWithFileNotFound)
{
    LogCapture log;
    const fs::path missing = kStubEqual.parent_path() / "no_such_runtime.dll";
    EXPECT_EQ(Platform::GetFileVersion(missing.wstring()), std::nullopt);
    EXPECT_EQ(log.Messages(LogLevel::Warning),
              std::vector<std::string>{"GetFileVersionInfoSizeW() failed for " + missing.string() + ", error: 2"});
}

TEST(FileVersion, EmptyPathWarns)
{
    LogCapture log;
    EXPECT_EQ(Platform::GetFileVersion(L""), std::nullopt);
    EXPECT_EQ(log.Messages(LogLevel::Warning), std::vector<std::string>{"Platform::GetFileVersion() - empty filePath"});
}

// --- Modules ---------------------------------------------------------------------------------

TEST(ModulePaths, LoadedLibraryHasItsFullPathAndFolder)
{
    LogCapture log;
    const LoadedLibrary stub(kStubEqual);
    ASSERT_NE(stub.Module(), nullptr) << Platform::LastLoadError();
    const std::wstring path = Platform::GetModulePath(stub.Module());
    EXPECT_TRUE(fs::equivalent(path, kStubEqual)) << fs::path(path).string();
    const std::wstring folder = Platform::GetModuleDirectory(stub.Module());
    EXPECT_FALSE(EndsWithSeparator(folder));
    EXPECT_TRUE(fs::equivalent(folder, kStubEqual.parent_path())) << fs::path(folder).string();
    EXPECT_TRUE(log.Lines().empty());
}

TEST(ModulePaths, CurrentModuleIsTheTestProgramItself)
{
    // The library's code is linked into this program, which is built beside the stubs.
    const std::wstring folder = Platform::GetCurrentModuleDirectory();
    EXPECT_FALSE(EndsWithSeparator(folder));
    EXPECT_TRUE(fs::path(folder).is_absolute());
    EXPECT_TRUE(fs::equivalent(folder, kProbe.parent_path())) << fs::path(folder).string();
}

TEST(ModulePaths, ModuleThatIsNotThereLogsAnErrorThenAWarning)
{
#if defined(_WIN32)
    // A null handle means the program itself on Windows; this one names no module at all.
    const auto notAModule = reinterpret_cast<Platform::ModuleHandle>(static_cast<std::uintptr_t>(0x10));
#else
    const Platform::ModuleHandle notAModule = nullptr;
#endif
    LogCapture log;
    EXPECT_EQ(Platform::GetModuleDirectory(notAModule), L"");
    const auto errors = log.Messages(LogLevel::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].starts_with("GetModuleFileNameW() failed or truncated, length: 0, error: ")) << errors[0];
    EXPECT_EQ(log.Messages(LogLevel::Warning),
              std::vector<std::string>{"Platform::GetModuleDirectory() - GetModulePath returned empty"});
}

TEST(DllDirectory, EmptyNameWarnsAndUnloadedNameIsSilentlyEmpty)
{
    LogCapture log;
    EXPECT_EQ(Platform::GetDllDirectory(L""), L"");
    EXPECT_EQ(log.Messages(LogLevel::Warning),
              std::vector<std::string>{"Platform::GetDllDirectory() - invalid dllName parameter"});
    EXPECT_EQ(Platform::GetDllDirectory(L"not_loaded_anywhere.dll"), L"");
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST(DllDirectory, LoadedLibraryIsFoundByItsFileName)
{
    LogCapture log;
    const LoadedLibrary stub(kStubAbove);
    ASSERT_NE(stub.Module(), nullptr) << Platform::LastLoadError();
    const std::wstring folder = Platform::GetDllDirectory(kStubAbove.filename().wstring());
    EXPECT_FALSE(EndsWithSeparator(folder));
    EXPECT_TRUE(fs::equivalent(folder, kStubAbove.parent_path())) << fs::path(folder).string();
    EXPECT_TRUE(log.Lines().empty());
}

TEST(FindDllPath, AlreadyLoadedLibraryCountsAsFoundWherever)
{
    LogCapture log;
    const LoadedLibrary stub(kStubBelow);
    ASSERT_NE(stub.Module(), nullptr) << Platform::LastLoadError();
    const std::wstring path = Platform::FindDllPath(kStubBelow.filename().wstring());
    EXPECT_TRUE(fs::equivalent(path, kStubBelow)) << fs::path(path).string();
    EXPECT_TRUE(log.Lines().empty());
}

TEST(FindDllPath, NameNeitherLoadedNorBesideTheLibraryLogsOneError)
{
    // The library is linked into this program, not loaded under its own name: there is no folder
    // of its own to search.
    LogCapture log;
    EXPECT_EQ(Platform::FindDllPath(L"steam_api64.dll"), L"");
    EXPECT_EQ(log.Messages(LogLevel::Error),
              std::vector<std::string>{"SearchPathW() failed for steam_api64.dll, error: 2"});
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST(FindDllPath, EmptyNameWarns)
{
    LogCapture log;
    EXPECT_EQ(Platform::FindDllPath(L""), L"");
    EXPECT_EQ(log.Messages(LogLevel::Warning),
              std::vector<std::string>{"Platform::FindDllPath() - invalid dllName parameter"});
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST(LoadLibrary, FailureLeavesTheErrorToRead)
{
    const fs::path missing = kStubEqual.parent_path() / "no_such_runtime.dll";
    EXPECT_EQ(Platform::LoadLibraryFrom(missing.wstring()), nullptr);
#if defined(_WIN32)
    EXPECT_EQ(Platform::LastLoadError(), "126"); // ERROR_MOD_NOT_FOUND, as decimal text
#else
    EXPECT_NE(Platform::LastLoadError().find("no_such_runtime.dll"), std::string::npos) << Platform::LastLoadError();
#endif
    const LoadedLibrary stub(kStubEqual);
    EXPECT_EQ(Platform::FindFunction(stub.Module(), "NoSuchFunction"), nullptr);
}

// --- Process ancestors -----------------------------------------------------------------------

namespace {
Platform::ProcessSnapshot Snapshot(std::initializer_list<std::tuple<std::uint32_t, std::uint32_t, const wchar_t*>> rows)
{
    Platform::ProcessSnapshot snapshot;
    for (const auto& [id, parentId, name] : rows) {
        snapshot[id] = {parentId, name};
    }
    return snapshot;
}
using Chain = std::vector<std::pair<std::uint32_t, std::string>>;
Chain ToChain(const std::vector<Platform::ProcessAncestor>& ancestors)
{
    Chain chain;
    for (const auto& ancestor : ancestors) {
        chain.emplace_back(ancestor.processId, ancestor.exeName);
    }
    return chain;
}
} // namespace

TEST(WalkAncestors, NearestFirstUpToTheRoot)
{
    LogCapture log;
    const auto snapshot = Snapshot({{40, 30, L"game.exe"}, {30, 20, L"launcher.exe"}, {20, 0, L"steam.exe"},
                                    {50, 20, L"other.exe"}});
    EXPECT_EQ(ToChain(Platform::WalkAncestors(snapshot, 40)), (Chain{{30, "launcher.exe"}, {20, "steam.exe"}}));
    EXPECT_TRUE(log.Lines().empty());
}

TEST(WalkAncestors, StopsWhereAParentHasExited)
{
    const auto snapshot = Snapshot({{40, 30, L"game.exe"}, {30, 25, L"launcher.exe"}, {20, 0, L"steam.exe"}});
    EXPECT_EQ(ToChain(Platform::WalkAncestors(snapshot, 40)), (Chain{{30, "launcher.exe"}}));
    EXPECT_TRUE(Platform::WalkAncestors(Snapshot({{40, 30, L"game.exe"}}), 40).empty());
}

TEST(WalkAncestors, CycleIsReportedOnceAndEndsTheWalk)
{
    LogCapture log;
    const auto snapshot = Snapshot({{40, 30, L"game.exe"}, {30, 20, L"a.exe"}, {20, 30, L"b.exe"}});
    EXPECT_EQ(ToChain(Platform::WalkAncestors(snapshot, 40)), (Chain{{30, "a.exe"}, {20, "b.exe"}}));
    EXPECT_EQ(log.Messages(LogLevel::Warning), std::vector<std::string>{"Cycle detected in process tree at PID 30"});
}

TEST(WalkAncestors, NeverListsTheProcessItself)
{
    // Parent ids can be stale and reused, even for the process asking.
    LogCapture log;
    EXPECT_TRUE(Platform::WalkAncestors(Snapshot({{40, 40, L"game.exe"}}), 40).empty());
    const auto loop = Snapshot({{40, 30, L"game.exe"}, {30, 40, L"launcher.exe"}});
    EXPECT_EQ(ToChain(Platform::WalkAncestors(loop, 40)), (Chain{{30, "launcher.exe"}}));
    EXPECT_EQ(log.Messages(LogLevel::Warning), (std::vector<std::string>{"Cycle detected in process tree at PID 40",
                                                                         "Cycle detected in process tree at PID 40"}));
}

TEST(WalkAncestors, ProcessMissingFromTheSnapshotHasNoAncestors)
{
    EXPECT_TRUE(Platform::WalkAncestors(Snapshot({{30, 20, L"launcher.exe"}, {20, 0, L"steam.exe"}}), 40).empty());
    EXPECT_TRUE(Platform::WalkAncestors({}, 40).empty());
}

namespace {

struct ProbeReport {
    Chain ancestors;
    Platform::CommandLineArgs options;
};

// Runs the probe through `depth` intermediate copies of itself and reads what the last one saw.
std::optional<ProbeReport> RunProbe(int depth, const std::vector<std::string>& options)
{
    const fs::path output = fs::temp_directory_path() /
                            ("vyro-platform-probe-" + std::to_string(VyroTools::CurrentProcessId()) + ".txt");
    std::vector<std::string> arguments{output.string(), std::to_string(depth)};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::string error;
    const auto exitCode = VyroTools::RunChild(kProbe, arguments, error);
    std::ifstream file(output, std::ios::binary);
    if (exitCode != 0 || !file) {
        ADD_FAILURE() << "the probe exited with " << exitCode.value_or(-1) << error;
        return std::nullopt;
    }
    ProbeReport report;
    std::string kind;
    while (file >> kind) {
        std::string rest;
        std::getline(file >> std::ws, rest);
        if (kind == "ancestor") {
            const auto space = rest.find(' ');
            report.ancestors.emplace_back(std::stoul(rest.substr(0, space)), rest.substr(space + 1));
        } else {
            const auto equals = rest.find('=');
            report.options[rest.substr(0, equals)] = rest.substr(equals + 1);
        }
    }
    file.close();
    fs::remove(output);
    return report;
}

} // namespace

TEST(ProcessAncestors, ChildSeesThisProcessAsItsParent)
{
    const auto report = RunProbe(0, {});
    ASSERT_TRUE(report);
    ASSERT_GE(report->ancestors.size(), 1u);
    EXPECT_EQ(report->ancestors[0], (std::pair<std::uint32_t, std::string>{VyroTools::CurrentProcessId(),
                                                                           TEST_PROGRAM_NAME}));
}

TEST(ProcessAncestors, GrandchildSeesItsLauncherFirstThenThisProcess)
{
    const auto report = RunProbe(1, {});
    ASSERT_TRUE(report);
    ASSERT_GE(report->ancestors.size(), 2u);
    EXPECT_EQ(report->ancestors[0].second, kProbe.filename().string());
    EXPECT_NE(report->ancestors[0].first, VyroTools::CurrentProcessId());
    EXPECT_EQ(report->ancestors[1], (std::pair<std::uint32_t, std::string>{VyroTools::CurrentProcessId(),
                                                                           TEST_PROGRAM_NAME}));
}

TEST(CommandLineArgs, ChildProcessSeesTheOptionsItWasStartedWith)
{
    const auto report = RunProbe(0, {"-epicenv=Prod", "--flag", "--title=two words", "-name=Zo\xC3\xAB", "-epicenv=Dev"});
    ASSERT_TRUE(report);
    const Platform::CommandLineArgs expected{{"program", kProbe.filename().string()},
                                             {"epicenv", "Dev"},
                                             {"title", "two words"},
                                             {"name", "Zo\xC3\xAB"}};
    EXPECT_EQ(report->options, expected);
}

// --- Region ----------------------------------------------------------------------------------

TEST(UserGeoName, IsAsciiWhenPresent)
{
    LogCapture log;
    for (const char c : Platform::GetUserGeoName()) {
        EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80);
    }
    EXPECT_TRUE(log.Lines().empty());
}

#if !defined(_WIN32)
namespace {
// Sets the locale variables for one test and puts the previous values back.
class LocaleEnvironment {
public:
    LocaleEnvironment()
    {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value == nullptr ? std::nullopt : std::optional<std::string>(value));
            unsetenv(name);
        }
    }
    ~LocaleEnvironment()
    {
        for (const auto& [name, value] : saved_) {
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
        }
    }
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

    static void Set(const char* name, const char* value) { setenv(name, value, 1); }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};
} // namespace

TEST(UserGeoName, IsTheRegionOfTheUsersLocale)
{
    LocaleEnvironment environment;
    const std::pair<const char*, const char*> cases[] = {
        {"en_GB.UTF-8", "GB"}, {"de_DE@euro", "DE"}, {"es_419", "419"}, {"C", ""},
        {"POSIX", ""},         {"en_", ""},          {"en_G B.UTF-8", ""}, {"xx_\xC3\xA9.UTF-8", ""}};
    for (const auto& [locale, region] : cases) {
        LocaleEnvironment::Set("LANG", locale);
        EXPECT_EQ(Platform::GetUserGeoName(), region) << locale;
    }
}

TEST(UserGeoName, FollowsThePrecedenceOfTheLocaleVariables)
{
    LocaleEnvironment environment;
    LocaleEnvironment::Set("LANG", "en_GB.UTF-8");
    LocaleEnvironment::Set("LC_MESSAGES", "fr_CA.UTF-8");
    EXPECT_EQ(Platform::GetUserGeoName(), "CA");
    LocaleEnvironment::Set("LC_ALL", "C");
    EXPECT_EQ(Platform::GetUserGeoName(), "");
}
#endif

#ifndef _WIN32
// A cut-short copy of a library is refused before the loader sees it: the loader would map its
// segments past the file's end, and the process would die of a bus error touching them. So is one
// whose segment claims more bytes than any file holds; the complete library loads.
TEST(ModuleLoading, ALibraryWhoseSegmentsRunPastItsEndIsRefusedBeforeLoading)
{
    const fs::path folder = fs::temp_directory_path() / ("vyro-elf-check-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ifstream source(kStubEqual, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    const auto write = [&](const char* name, const std::string& content) {
        std::ofstream(folder / name, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
        return (folder / name).wstring();
    };

    EXPECT_EQ(Platform::LoadLibraryFrom(write("truncated.dll", bytes.substr(0, 3000))), nullptr);
    EXPECT_NE(Platform::LastLoadError().find("the file is truncated: 3000 bytes where its ELF headers need "), std::string::npos)
        << Platform::LastLoadError();

    Elf64_Ehdr header{};
    std::memcpy(&header, bytes.data(), sizeof(header));
    for (std::size_t i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment{};
        const std::size_t at = header.e_phoff + i * sizeof(Elf64_Phdr);
        std::memcpy(&segment, bytes.data() + at, sizeof(segment));
        if (segment.p_type == PT_LOAD) {
            segment.p_filesz = UINT64_MAX; // past any end, however it is added up
            std::string oversized = bytes;
            std::memcpy(oversized.data() + at, &segment, sizeof(segment));
            EXPECT_EQ(Platform::LoadLibraryFrom(write("oversized.dll", oversized)), nullptr);
            EXPECT_NE(Platform::LastLoadError().find("the file is truncated"), std::string::npos) << Platform::LastLoadError();
            break;
        }
    }

    const Platform::ModuleHandle complete = Platform::LoadLibraryFrom(write("complete.dll", bytes));
    EXPECT_NE(complete, nullptr) << Platform::LastLoadError();
    Platform::FreeLibrary(complete);
    fs::remove_all(folder);
}
#endif
