#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "Module.h"

namespace VyroHost {

// The simulated store runtimes staged beside the library, each loaded from there on its first
// control message (loading one earlier would change what detection sees) and kept until destroyed.
class Simulators {
public:
    explicit Simulators(std::filesystem::path folder) : folder_(std::move(folder)) {}

    bool IsStaged(const std::string& runtime) const;
    // Sends `request` to the runtime's VyroSim_Control and returns its reply, copied. Null with
    // `error` set when the runtime cannot be loaded or has no control entry point.
    std::optional<std::string> Control(const std::string& runtime, const std::string& request, std::string& error);

private:
    using ControlFunction = const char* (*)(const char*);

    ControlFunction Find(const std::string& runtime, std::string& error);

    std::filesystem::path folder_;
    std::map<std::string, std::unique_ptr<Module>> loaded_;
};

} // namespace VyroHost
