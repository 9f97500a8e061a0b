#pragma once

#include <string>

#include "common/Platform.h"

namespace Vyro {

class ConfigReader;

// The Epic product's settings: from the configuration store beside the library, the sandbox and
// deployment ids possibly replaced by the launcher's command line.
struct EpicConfig {
    std::string productName;
    std::string productVersion;
    std::string productId;
    std::string sandboxId;
    std::string deploymentId;
    std::string clientId;
    std::string clientSecret; // never written into a reply or a log line
};

// Reads every key into `config` (a key the store lacks leaves its field as it was) and fills the
// defaults. False, logged, when the store cannot be opened or a required field is empty.
bool ReadEpicConfig(ConfigReader& reader, EpicConfig& config);

// "epicsandboxid" and "epicdeploymentid" replace the configured ids when their values are non-empty.
void ApplyLauncherOverrides(const Platform::CommandLineArgs& args, EpicConfig& config);

} // namespace Vyro
