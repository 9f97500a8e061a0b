#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Module.h"

namespace VyroHost {

// The simulated store runtimes staged beside the library, each loaded from there on its first
// control message (loading one earlier would change what detection sees) and kept until destroyed.
class Simulators {
public:
    using ControlFunction = const char* (*)(const char*);

    // `linkedControl`, when not null, is the control entry point of a simulator linked into the
    // library itself; it answers for the runtimes named in `linkedRuntimes`, whose staged files then
    // only stand beside the library.
    Simulators(std::filesystem::path folder, ControlFunction linkedControl, std::vector<std::string> linkedRuntimes)
        : folder_(std::move(folder)), linkedControl_(linkedControl), linkedRuntimes_(std::move(linkedRuntimes))
    {
    }

    bool IsStaged(const std::string& runtime) const;
    // Sends `request` to the runtime's VyroSim_Control and returns its reply, copied. Null with
    // `error` set when the runtime cannot be loaded or has no control entry point.
    std::optional<std::string> Control(const std::string& runtime, const std::string& request, std::string& error);

private:
    ControlFunction Find(const std::string& runtime, std::string& error);

    std::filesystem::path folder_;
    ControlFunction linkedControl_;
    std::vector<std::string> linkedRuntimes_;
    std::map<std::string, std::unique_ptr<Module>> loaded_;
};

} // namespace VyroHost
