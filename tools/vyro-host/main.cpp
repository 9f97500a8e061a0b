// vyro-host: loads the library the way a game does and plays a scenario against it, printing every
// step, answer, event and log line as one JSON object per line.
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "CommandLine.h"
#include "ConfigPacking.h"
#include "ExecutableFolder.h"
#include "HostCallbacks.h"
#include "HostLibrary.h"
#include "LaunchChain.h"
#include "Output.h"
#include "PackageLayout.h"
#include "Records.h"
#include "Scenario.h"
#include "ScenarioCheck.h"
#include "ScenarioRunner.h"
#include "Simulators.h"
#include "Staging.h"
#include "StdoutRedirect.h"
#include "Stores.h"
#include "Utf8Path.h"
#include "VyroVersion.h"

namespace {

using namespace VyroHost;
namespace fs = std::filesystem;

constexpr int kPassed = 0;
constexpr int kCheckFailed = 1;
// A bad command line or scenario, or anything else that keeps the scenario from running.
constexpr int kCannotRun = 2;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "vyro-host: %s\n", message.c_str());
    return kCannotRun;
}

// The library, then the store's files, so that a scenario can replace one of them with its own.
std::map<std::string, fs::path> FilesToStage(const fs::path& library, const StoreSetup& store, const Scenario& scenario,
                                             const fs::path& bin)
{
    std::map<std::string, fs::path> files{{library.filename().string(), library}};
    for (const StagedFile& file : store.files) {
        files[file.name] = StoreRuntimeFor(bin, store.name, file.source);
    }
    for (const auto& [name, source] : scenario.stage) {
        files[name] = bin / source;
    }
    return files;
}

// The configuration store the scenario asks for, else the store's own; none when neither has one.
ConfigFolder ConfigToPack(const StoreSetup& store, const Scenario& scenario, const fs::path& bin)
{
    if (scenario.config) {
        return *scenario.config;
    }
    return store.config ? ConfigFolder(bin / *store.config) : ConfigFolder();
}

// The folder a game would have: the library and the files beside it, the scenario's folders, and
// the configuration store.
std::unique_ptr<StagedFolder> Stage(const fs::path& library, const StoreSetup& store, const Scenario& scenario,
                                    const fs::path& bin, std::string& error)
{
    auto folder = StagedFolder::Create(FilesToStage(library, store, scenario, bin), error);
    if (!folder || !folder->MakeFolders(scenario.stageDirs, error)) {
        return nullptr;
    }
    const ConfigFolder config = ConfigToPack(store, scenario, bin);
    if (config && !PackConfig(bin / VYRO_CONFIG_PACK_FILE, *config, folder->Folder(), error)) {
        return nullptr;
    }
    return folder;
}

// The library and the simulators are unloaded on return, before the staged folder is removed.
bool RunScenario(const Scenario& scenario, const fs::path& libraryCopy, const StagedFolder& folder, Output& output,
                 std::string& error)
{
    const auto library = HostLibrary::Open(libraryCopy, error);
    if (!library) {
        return false;
    }
    // Before the first call, so that the detection lines are recorded too.
    library->exports().SetLogHandler(LogSink(), 0);
    // A library with a simulator linked in exports that simulator's control entry point.
    const auto linkedControl = reinterpret_cast<Simulators::ControlFunction>(library->Symbol("VyroSim_Control"));
    Simulators simulators(folder.Folder(), linkedControl, LinkableRuntimes());
    ScenarioRunner runner(*library, folder.Folder(), simulators, output);
    return runner.Validate(scenario.steps, error) && runner.Run(scenario.steps, error);
}

int CheckOutput(const std::vector<Json>& records, const Expectations& expectations)
{
    const std::vector<std::string> failures = CheckRecords(records, expectations);
    for (const std::string& failure : failures) {
        std::fprintf(stderr, "vyro-host: check failed: %s\n", failure.c_str());
    }
    if (!failures.empty()) {
        return kCheckFailed;
    }
    std::fprintf(stderr, "vyro-host: check passed (%zu in order, %zu counted)\n", expectations.inOrder.size(),
                 expectations.counts.size());
    return kPassed;
}

// Plays the scenario in a new process started the way the store starts a game: under its launchers
// and with the game's arguments on its command line. Neither that process nor the launchers divert
// their standard output, so the records go where this process would have written them.
int PlayAsStartedGame(const Options& options, const std::vector<std::string>& launchers,
                      const std::vector<std::string>& gameArguments)
{
    std::string error;
    const fs::path harness = ExecutablePath();
    const std::vector<std::string> arguments = GameProcessArguments(options, gameArguments);
    if (!launchers.empty()) {
        const auto exitCode =
            RunUnderLaunchers(ExecutableFolder() / VYRO_LAUNCHER_FILE, launchers, harness, arguments, error);
        return exitCode ? *exitCode : Fail(error);
    }
    const auto exitCode = VyroTools::RunChild(harness, arguments, error);
    return exitCode ? *exitCode : Fail("cannot start " + PathToUtf8(harness) + ": " + error);
}

int PlayScenario(const Options& options, const Scenario& scenario, const StoreSetup& store)
{
    std::string error;
    std::FILE* sink = DivertStandardOutput(error);
    if (sink == nullptr) {
        return Fail(error);
    }
    Output output(sink);
    RouteCallbacksTo(output);
    if (options.gameArguments && !options.gameArguments->empty()) {
        output.Emit(ArgumentsRecord(*options.gameArguments));
    }
    const fs::path bin = ExecutableFolder();
    const fs::path library = options.library.value_or(LibraryFor(bin, HostLibrary::FileName()));
    const auto folder = Stage(library, store, scenario, bin, error);
    if (!folder || !RunScenario(scenario, folder->Folder() / library.filename(), *folder, output, error)) {
        return Fail(error);
    }
    return options.check ? CheckOutput(output.Records(), scenario.expectations) : kPassed;
}

int Run(const std::vector<std::string>& arguments)
{
    if (arguments == std::vector<std::string>{"--help"} || arguments == std::vector<std::string>{"-h"}) {
        std::printf("%s\n", kUsage);
        return kPassed;
    }
    if (arguments == std::vector<std::string>{"--version"}) {
        std::printf("vyro-host %s\n", VYRO_VERSION_TEXT);
        return kPassed;
    }
    std::string error;
    const auto options = ParseCommandLine(arguments, error);
    if (!options) {
        return Fail(error + "\n" + kUsage);
    }
    const auto scenario = LoadScenario(options->scenario, error);
    if (!scenario) {
        return Fail(error);
    }
    const std::string storeName = options->store.value_or(scenario->store.value_or("none"));
    const StoreSetup* store = FindStore(storeName);
    if (store == nullptr) {
        return Fail("unknown store \"" + storeName + "\" (known: " + StoreNames() + ")\n" + kUsage);
    }
    if (options->check && scenario->expectations.Empty()) {
        return Fail(PathToUtf8(options->scenario) + ": --check needs \"expect\" or \"expectCount\"");
    }
    if (options->gameArguments) {
        return PlayScenario(*options, *scenario, *store);
    }
    const auto launchers = options->launchedBy.value_or(scenario->launchedBy.value_or(store->launchers));
    const auto gameArguments = scenario->arguments.value_or(store->arguments);
    if (launchers.empty() && gameArguments.empty()) {
        return PlayScenario(*options, *scenario, *store);
    }
    return PlayAsStartedGame(*options, launchers, gameArguments);
}

} // namespace

#if defined(_WIN32)
// The wide command line, so that arguments outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int index = 1; index < argc; ++index) {
        arguments.push_back(PathToUtf8(argv[index]));
    }
    return Run(arguments);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
