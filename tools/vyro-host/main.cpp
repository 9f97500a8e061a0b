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

// The store's files first, so that a scenario can replace one of them with its own.
std::map<std::string, fs::path> FilesToStage(const StoreSetup& store, const Scenario& scenario, const fs::path& bin)
{
    std::map<std::string, fs::path> files;
    for (const StagedFile& file : store.files) {
        files[file.name] = bin / file.source;
    }
    for (const auto& [name, source] : scenario.stage) {
        files[name] = bin / source;
    }
    return files;
}

// The library and the simulators are unloaded on return, before the staged folder is removed.
bool RunScenario(const Scenario& scenario, const StagedFolder& folder, Output& output, std::string& error)
{
    const auto library = HostLibrary::Open(folder.LibraryPath(), error);
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

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        return Fail(error + "\n" + kUsage);
    }
    const StoreSetup* store = FindStore(options->store);
    if (store == nullptr) {
        return Fail("unknown store \"" + options->store + "\" (known: " + StoreNames() + ")\n" + kUsage);
    }
    const auto scenario = LoadScenario(options->scenario, error);
    if (!scenario) {
        return Fail(error);
    }
    if (options->check && scenario->expectations.Empty()) {
        return Fail(options->scenario.string() + ": --check needs \"expect\" or \"expectCount\"");
    }
    std::FILE* sink = DivertStandardOutput(error);
    if (sink == nullptr) {
        return Fail(error);
    }
    Output output(sink);
    RouteCallbacksTo(output);
    const fs::path bin = ExecutableFolder();
    const auto folder = StagedFolder::Create(options->library.value_or(bin / HostLibrary::FileName()),
                                             FilesToStage(*store, *scenario, bin), error);
    if (!folder || !RunScenario(*scenario, *folder, output, error)) {
        return Fail(error);
    }
    return options->check ? CheckOutput(output.Records(), scenario->expectations) : kPassed;
}
