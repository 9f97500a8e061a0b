#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "HostLibrary.h"
#include "Output.h"
#include "Simulators.h"
#include "Step.h"

namespace VyroHost {

// Plays scenario steps against the loaded library, staged in `folder`, echoing each step before it
// runs.
class ScenarioRunner {
public:
    ScenarioRunner(const HostLibrary& library, std::filesystem::path folder, Simulators& simulators, Output& output)
        : library_(library), folder_(std::move(folder)), simulators_(simulators), output_(output)
    {
    }

    // What only the loaded library and the staged folder can tell (export names, simulators), so
    // that a faulty scenario stops before its first step.
    bool Validate(const std::vector<Step>& steps, std::string& error) const;
    // Stops at the first step that cannot run, with `error` set.
    bool Run(const std::vector<Step>& steps, std::string& error);

private:
    struct Executor;

    const HostLibrary& library_;
    std::filesystem::path folder_;
    Simulators& simulators_;
    Output& output_;
};

} // namespace VyroHost
