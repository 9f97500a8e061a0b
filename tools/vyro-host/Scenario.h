#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ScenarioCheck.h"
#include "Step.h"

namespace VyroHost {

// A scenario file: {"description": ..., "store": NAME, "launchedBy": [NAME, ...], "stage": {...},
// "steps": [...], "expect": [...], "expectCount": [{"match": {...}, "count": N}]}.
struct Scenario {
    // The store to stage for when the command line names none.
    std::optional<std::string> store;
    // Executable names of the processes the scenario runs under, outermost first, in place of the
    // store's own; empty: started directly.
    std::optional<std::vector<std::string>> launchedBy;
    std::vector<Step> steps;
    Expectations expectations;
    // Extra files to place beside the library: file name -> source, relative to the harness's folder.
    std::map<std::string, std::string> stage;
};

// Null with `error` set when the file cannot be read or is not a valid scenario.
std::optional<Scenario> LoadScenario(const std::filesystem::path& file, std::string& error);

} // namespace VyroHost
