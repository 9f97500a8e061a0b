#include "ScenarioRunner.h"

#include <chrono>
#include <thread>

#include "FileRecord.h"
#include "HostCallbacks.h"
#include "Records.h"
#include "ScenarioCheck.h"
#include "Utf8Path.h"

namespace VyroHost {

namespace {

std::size_t CountMatches(const std::vector<Json>& records, std::size_t start, const Json& match)
{
    std::size_t matching = 0;
    for (std::size_t index = start; index < records.size(); ++index) {
        matching += Matches(match, records[index]) ? 1 : 0;
    }
    return matching;
}

} // namespace

struct ScenarioRunner::Executor {
    ScenarioRunner& runner;
    std::string& error;

    const Exports& exports() const { return runner.library_.exports(); }

    bool operator()(const CallStep& step) const
    {
        const auto call = runner.library_.RequestByName(step.name);
        call(step.params ? step.params->c_str() : nullptr, step.callback ? ResultSink() : nullptr);
        return true;
    }
    bool operator()(const TickStep& step) const
    {
        for (int tick = 0; tick < step.count; ++tick) {
            exports().Tick();
        }
        return true;
    }
    bool operator()(const TickUntilStep& step) const
    {
        const std::size_t start = step.sinceStart ? 0 : runner.output_.Records().size();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(step.timeoutMs);
        while (CountMatches(runner.output_.Records(), start, step.match) < static_cast<std::size_t>(step.count)) {
            if (std::chrono::steady_clock::now() >= deadline) {
                error = "fewer than " + std::to_string(step.count) + " records matching " + step.match.dump() +
                        " within " + std::to_string(step.timeoutMs) + " ms";
                return false;
            }
            exports().Tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    bool operator()(const RegisterStep& step) const
    {
        exports().RegisterCallback(step.type, EventSink(step.type));
        return true;
    }
    bool operator()(const UnregisterStep& step) const
    {
        exports().UnregisterCallback(step.type);
        return true;
    }
    bool operator()(const SleepStep& step) const
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(step.milliseconds));
        return true;
    }
    bool operator()(const UnityStep& step) const
    {
        if (step.load) {
            exports().PluginLoad(nullptr);
        } else {
            exports().PluginUnload();
        }
        return true;
    }
    bool operator()(const LogLevelStep& step) const
    {
        exports().SetLogHandler(LogSink(), step.level);
        return true;
    }
    bool operator()(const PrintStep&) const
    {
        exports().Print();
        return true;
    }
    bool operator()(const SimStep& step) const
    {
        const auto reply = runner.simulators_.Control(step.runtime, step.control, error);
        if (reply) {
            runner.output_.Emit(SimRecord(reply->c_str()));
        }
        return reply.has_value();
    }
    bool operator()(const FileStep& step) const
    {
        runner.output_.Emit(FileRecord(step.path, runner.folder_ / PathFromUtf8(step.path)));
        return true;
    }
};

bool ScenarioRunner::Validate(const std::vector<Step>& steps, std::string& error) const
{
    for (std::size_t index = 0; index < steps.size(); ++index) {
        const StepAction& action = steps[index].action;
        if (const auto* call = std::get_if<CallStep>(&action); call && !library_.RequestByName(call->name)) {
            error = "step " + std::to_string(index) + ": no request export named \"" + call->name + "\"";
            return false;
        }
        if (const auto* sim = std::get_if<SimStep>(&action); sim && !simulators_.IsStaged(sim->runtime)) {
            error = "step " + std::to_string(index) + ": simulated runtime \"" + sim->runtime +
                    "\" is not staged beside the library";
            return false;
        }
    }
    return true;
}

bool ScenarioRunner::Run(const std::vector<Step>& steps, std::string& error)
{
    for (std::size_t index = 0; index < steps.size(); ++index) {
        output_.Emit(StepRecord(index, steps[index].source));
        if (!std::visit(Executor{*this, error}, steps[index].action)) {
            error = "step " + std::to_string(index) + ": " + error;
            return false;
        }
    }
    return true;
}

} // namespace VyroHost
