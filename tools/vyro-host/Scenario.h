#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ScenarioCheck.h"
#include "Step.h"

namespace VyroHost {

// A scenario file: {"description": ..., "stage": {...}, "steps": [...], "expect": [...],
// "expectCount": [{"match": {...}, "count": N}]}.
struct Scenario {
    std::vector<Step> steps;
    Expectations expectations;
    // Extra files to place beside the library: file name -> source, relative to the harness's folder.
    std::map<std::string, std::string> stage;
};

// Null with `error` set when the file cannot be read or is not a valid scenario.
std::optional<Scenario> LoadScenario(const std::filesystem::path& file, std::string& error);

} // namespace VyroHost
