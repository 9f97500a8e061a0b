#include "config/ConfigReader.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "common/Logger.h"
#include "common/Platform.h"
#include "config/ConfigStore.h"
#include "config/Utf8Path.h"

namespace Vyro {

namespace {

// MMKV's default root is set once per process; later opens in other folders keep the first.
constinit bool mmkvInitialised = false;

void InitialiseMmkvOnce(const std::string& root)
{
    if (!mmkvInitialised) {
        MMKV::initializeMMKV(root, MMKVLogWarning);
        mmkvInitialised = true;
    }
}

// A folder whose existence cannot be established (access denied, for example) counts as missing.
bool FolderExists(const std::string& folder)
{
    std::error_code error;
    return std::filesystem::exists(PathFromUtf8(folder), error);
}

} // namespace

ConfigReader& ConfigReader::Instance()
{
    // Constant-initialised and trivially destructible: nothing to build or free around the
    // library's load and unload.
    static constinit ConfigReader instance;
    return instance;
}

bool ConfigReader::Open()
{
    if (IsOpen()) {
        return true;
    }
    const std::wstring folder = Platform::GetDllDirectory(Platform::kOwnModuleName);
    if (folder.empty()) {
        Log(LogLevel::Warning, "[ConfigReader] could not determine DLL directory");
        return false;
    }
    return OpenAt(folder);
}

bool ConfigReader::OpenAt(const std::wstring& folder)
{
    if (IsOpen()) {
        return true;
    }
    const std::string root = Platform::WideToUtf8(folder);
    if (!FolderExists(root)) {
        Log(LogLevel::Warning, "[ConfigReader] config path not found: {}", root);
        return false;
    }
    InitialiseMmkvOnce(root);
    store_ = OpenConfigStore(root, MMKV_SINGLE_PROCESS | MMKV_READ_ONLY);
    if (store_ == nullptr) {
        Log(LogLevel::Warning, "[ConfigReader] failed to open config MMKV");
        return false;
    }
    return true;
}

bool ConfigReader::GetString(const std::string& key, std::string& out) const
{
    if (store_ == nullptr || key.empty()) {
        return false;
    }
    // Read aside so that the caller's string is untouched whatever the store does on a miss.
    std::string value;
    if (!store_->getString(key, value, true)) {
        return false;
    }
    out = std::move(value);
    return true;
}

std::int32_t ConfigReader::GetInt32(const std::string& key, std::int32_t defaultValue) const
{
    return store_ == nullptr ? defaultValue : store_->getInt32(key, defaultValue);
}

std::int64_t ConfigReader::GetInt64(const std::string& key, std::int64_t defaultValue) const
{
    return store_ == nullptr ? defaultValue : store_->getInt64(key, defaultValue);
}

} // namespace Vyro
