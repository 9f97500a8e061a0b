#include "channels/epic/EosLoggingSetup.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "channels/epic/EosLogFile.h"
#include "common/Logger.h"
#include "common/Platform.h"
#include "config/Utf8Path.h"

namespace Vyro {

namespace {

namespace fs = std::filesystem;

constexpr char kMarkerName[] = "MossLanternOpenVeil";
constexpr char kLogFileName[] = "QuietHarbour.LogSink";

// Any kind of entry counts, a dangling link too; a status that cannot be read counts as absent.
bool MarkerExists(const fs::path& marker)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(marker, error));
}

void StartFileLogging(const fs::path& folder)
{
    const fs::path logFile = folder / kLogFileName;
    auto stream = std::make_unique<std::ofstream>(logFile, std::ios::out | std::ios::trunc);
    if (!stream->is_open()) {
        Log(LogLevel::Warning, "[EpicChannelSDK] EOS file logging requested but could not open {}", PathToUtf8(logFile));
        return;
    }
    EosLogFile::Instance().Install(std::move(stream));
    Log(LogLevel::Warning, "[EpicChannelSDK] EOS file logging enabled at {}", PathToUtf8(logFile));
}

} // namespace

void SetupEosLogging(const Eos::EosApi& api)
{
    api.loggingSetCallback(&EosLogCallback);
    api.loggingSetLogLevel(Eos::kAllLogCategories, Eos::kLogWarning);
    const std::wstring directory = Platform::GetCurrentModuleDirectory();
    if (directory.empty()) {
        return;
    }
    const fs::path folder = PathFromUtf8(Platform::WideToUtf8(directory));
    const fs::path marker = folder / kMarkerName;
    if (!MarkerExists(marker)) {
        return;
    }
    api.loggingSetLogLevel(Eos::kAllLogCategories, Eos::kLogVeryVerbose);
    std::error_code ignored; // a non-empty directory stays, and switches verbose logging on every start
    fs::remove(marker, ignored);
    StartFileLogging(folder);
}

} // namespace Vyro
