#include "ConfigPacking.h"

#include "ChildProcess.h"
#include "Utf8Path.h"

namespace VyroHost {

bool PackConfig(const std::filesystem::path& packer, const std::filesystem::path& jsonFolder,
                const std::filesystem::path& storeFolder, std::string& error)
{
    const auto exitCode = VyroTools::RunChild(packer, {PathToUtf8(jsonFolder), PathToUtf8(storeFolder)}, error);
    if (!exitCode) {
        error = "cannot start " + PathToUtf8(packer) + ": " + error;
        return false;
    }
    if (*exitCode != 0) {
        error = "cannot pack the configuration in " + PathToUtf8(jsonFolder) + " (" + PathToUtf8(packer.filename()) +
                " exited with " + std::to_string(*exitCode) + ")";
        return false;
    }
    return true;
}

} // namespace VyroHost
