#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ScenarioCheck.h"
#include "Step.h"

namespace VyroHost {

// The configuration store a scenario stages: a folder of JSON files to pack, or none at all.
using ConfigFolder = std::optional<std::filesystem::path>;

// A scenario file: {"description": ..., "store": NAME, "launchedBy": [NAME, ...], "arguments": [...],
// "stage": {...}, "stageDirs": [...], "config": FOLDER or null, "steps": [...], "expect": [...],
// "expectCount": [{"match": {...}, "count": N}]}.
struct Scenario {
    // The store to stage for when the command line names none.
    std::optional<std::string> store;
    // Executable names of the processes the scenario runs under, outermost first, in place of the
    // store's own; empty: started directly.
    std::optional<std::vector<std::string>> launchedBy;
    // The game's command-line arguments, in place of those its store passes.
    std::optional<std::vector<std::string>> arguments;
    std::vector<Step> steps;
    Expectations expectations;
    // Extra files to place beside the library: file name -> source, relative to the harness's folder.
    std::map<std::string, std::string> stage;
    // Folders to make in the staged folder, with their parents: paths relative to it.
    std::vector<std::string> stageDirs;
    // In place of the store's configuration; the folder is resolved against the scenario file's.
    std::optional<ConfigFolder> config;
};

// Null with `error` set when the file cannot be read or is not a valid scenario.
std::optional<Scenario> LoadScenario(const std::filesystem::path& file, std::string& error);

} // namespace VyroHost
