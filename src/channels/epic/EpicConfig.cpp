#include "channels/epic/EpicConfig.h"

#include <utility>

#include "common/Logger.h"
#include "config/ConfigReader.h"

namespace Vyro {

namespace {

constexpr char kDefaultProductName[] = "VyroChannel";
constexpr char kDefaultProductVersion[] = "2.0";

// All keys are read, in this order, even after one is missing.
bool ReadKeys(const ConfigReader& reader, EpicConfig& config)
{
    const std::pair<const char*, std::string*> keys[] = {
        {"epic.productName", &config.productName},   {"epic.productVersion", &config.productVersion},
        {"epic.productId", &config.productId},       {"epic.sandboxId", &config.sandboxId},
        {"epic.deploymentId", &config.deploymentId}, {"epic.clientId", &config.clientId},
        {"epic.clientSecret", &config.clientSecret},
    };
    bool all = true;
    for (const auto& [key, field] : keys) {
        all &= reader.GetString(key, *field);
    }
    return all;
}

bool HasRequiredFields(const EpicConfig& config)
{
    return !config.productId.empty() && !config.sandboxId.empty() && !config.deploymentId.empty() &&
           !config.clientId.empty() && !config.clientSecret.empty();
}

void ReplaceWhenGiven(const Platform::CommandLineArgs& args, const char* key, std::string& field)
{
    const auto found = args.find(key);
    if (found != args.end() && !found->second.empty()) {
        field = found->second;
    }
}

} // namespace

bool ReadEpicConfig(ConfigReader& reader, EpicConfig& config)
{
    if (!reader.IsOpen() && !reader.Open()) {
        Log(LogLevel::Warning, "[EpicChannelSDK] ConfigReader init failed");
        return false;
    }
    if (!ReadKeys(reader, config)) {
        Log(LogLevel::Warning, "[EpicChannelSDK] Some config keys are missing");
    }
    if (config.productName.empty()) {
        config.productName = kDefaultProductName;
    }
    if (config.productVersion.empty()) {
        config.productVersion = kDefaultProductVersion;
    }
    if (!HasRequiredFields(config)) {
        Log(LogLevel::Error, "[EpicChannelSDK] Required Epic config fields are missing");
        return false;
    }
    return true;
}

void ApplyLauncherOverrides(const Platform::CommandLineArgs& args, EpicConfig& config)
{
    ReplaceWhenGiven(args, "epicsandboxid", config.sandboxId);
    ReplaceWhenGiven(args, "epicdeploymentid", config.deploymentId);
}

} // namespace Vyro
