// vyro-host: loads the library the way a game does and plays a scenario against it, printing every
// step, answer, event and log line as one JSON object per line.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ExecutableFolder.h"
#include "HostCallbacks.h"
#include "HostLibrary.h"
#include "LaunchChain.h"
#include "Output.h"
#include "Scenario.h"
#include "ScenarioCheck.h"
#include "ScenarioRunner.h"
#include "Simulators.h"
#include "Staging.h"
#include "StdoutRedirect.h"
#include "Stores.h"

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
        files[file.name] = bin / file.source;
    }
    for (const auto& [name, source] : scenario.stage) {
        files[name] = bin / source;
    }
    return files;
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
    Simulators simulators(folder.Folder());
    ScenarioRunner runner(*library, simulators, output);
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

// The launchers do not divert their standard output, so the run inside them writes its records
// where this process would have.
int PlayUnderLaunchers(const Options& options, const std::vector<std::string>& launchers)
{
    std::string error;
    const auto exitCode = RunUnderLaunchers(ExecutableFolder() / VYRO_LAUNCHER_FILE, launchers, ExecutablePath(),
                                            DirectStartArguments(options), error);
    return exitCode ? *exitCode : Fail(error);
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
    const fs::path bin = ExecutableFolder();
    const fs::path library = options.library.value_or(bin / HostLibrary::FileName());
    const auto folder = StagedFolder::Create(FilesToStage(library, store, scenario, bin), error);
    if (!folder || !RunScenario(scenario, folder->Folder() / library.filename(), *folder, output, error)) {
        return Fail(error);
    }
    return options.check ? CheckOutput(output.Records(), scenario.expectations) : kPassed;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
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
        return Fail(options->scenario.string() + ": --check needs \"expect\" or \"expectCount\"");
    }
    const auto launchers = options->launchedBy.value_or(scenario->launchedBy.value_or(store->launchers));
    return launchers.empty() ? PlayScenario(*options, *scenario, *store) : PlayUnderLaunchers(*options, launchers);
}
