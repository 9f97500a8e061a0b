#include "config/mmkv/MMKV.h"

#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>

#include "config/mmkv/Store.h"
#include "config/mmkv/StoreLog.h"
#include "config/mmkv/ValueCodec.h"

using namespace Vyro::Mmkv;
namespace LogLevel = Vyro::LogLevel;

namespace {

struct Registry {
    std::mutex mutex;
    std::optional<std::string> defaultRoot;
    std::map<std::pair<std::string, std::string>, std::unique_ptr<MMKV>> instances;
};

// Built on first use and destroyed with the library's other statics, so that unloading the
// library frees every instance.
Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

// Ids become file names as they are; characters that would lead elsewhere are refused.
bool IsPlainFileName(std::string_view id)
{
    return !id.empty() && id.find_first_of("\\/:*?\"<>|") == std::string_view::npos;
}

std::optional<std::string> AesKey(const std::string* cryptKey, bool aes256)
{
    if (cryptKey == nullptr || cryptKey->empty()) {
        return std::nullopt;
    }
    const std::size_t size = aes256 ? 32 : 16;
    std::string key = cryptKey->substr(0, size);
    key.resize(size, '\0');
    return key;
}

template <typename T>
T ValueOr(const std::optional<std::string>& stored, std::optional<T> (*decode)(std::string_view), T defaultValue,
          bool* hasValue)
{
    const std::optional<T> value = stored ? decode(*stored) : std::nullopt;
    if (hasValue != nullptr) {
        *hasValue = value.has_value();
    }
    return value.value_or(defaultValue);
}

} // namespace

void MMKV::initializeMMKV(const std::string& rootDir, MMKVLogLevel logLevel, MMKVLogHandler)
{
    SetStoreLogLevel(logLevel);
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    if (!registry.defaultRoot) {
        registry.defaultRoot = rootDir;
    }
}

MMKV* MMKV::mmkvWithID(const std::string& mmapID, MMKVMode mode, const std::string* cryptKey,
                       const std::string* rootPath, std::size_t, bool aes256)
{
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    if (!registry.defaultRoot) {
        StoreLog(LogLevel::Error, "MMKV: store '{}' opened before initializeMMKV", mmapID);
        return nullptr;
    }
    if (!IsPlainFileName(mmapID)) {
        StoreLog(LogLevel::Error, "MMKV: '{}' is not a usable store id", mmapID);
        return nullptr;
    }
    StoreLocation location{rootPath != nullptr ? *rootPath : *registry.defaultRoot, mmapID};
    auto cacheKey = std::make_pair(location.root, location.id);
    if (const auto found = registry.instances.find(cacheKey); found != registry.instances.end()) {
        return found->second.get();
    }
    auto store = Store::Open(std::move(location), AesKey(cryptKey, aes256), (mode & MMKV_READ_ONLY) != 0);
    if (!store) {
        return nullptr;
    }
    auto& instance = registry.instances[std::move(cacheKey)];
    instance.reset(new MMKV(std::move(store)));
    return instance.get();
}

MMKV::MMKV(std::unique_ptr<Store> store) : store_(std::move(store)) {}

MMKV::~MMKV() = default;

bool MMKV::getString(const std::string& key, std::string& result, bool)
{
    const auto stored = store_->Find(key);
    const auto text = stored ? DecodeString(*stored) : std::nullopt;
    if (!text) {
        return false;
    }
    result.assign(*text);
    return true;
}

bool MMKV::getBool(const std::string& key, bool defaultValue, bool* hasValue)
{
    return ValueOr(store_->Find(key), &DecodeBool, defaultValue, hasValue);
}

std::int32_t MMKV::getInt32(const std::string& key, std::int32_t defaultValue, bool* hasValue)
{
    return ValueOr(store_->Find(key), &DecodeInt32, defaultValue, hasValue);
}

std::int64_t MMKV::getInt64(const std::string& key, std::int64_t defaultValue, bool* hasValue)
{
    return ValueOr(store_->Find(key), &DecodeInt64, defaultValue, hasValue);
}

float MMKV::getFloat(const std::string& key, float defaultValue, bool* hasValue)
{
    return ValueOr(store_->Find(key), &DecodeFloat, defaultValue, hasValue);
}

double MMKV::getDouble(const std::string& key, double defaultValue, bool* hasValue)
{
    return ValueOr(store_->Find(key), &DecodeDouble, defaultValue, hasValue);
}

bool MMKV::set(bool value, const std::string& key) { return store_->Set(key, EncodeBool(value)); }

bool MMKV::set(std::int32_t value, const std::string& key) { return store_->Set(key, EncodeInt32(value)); }

bool MMKV::set(std::int64_t value, const std::string& key) { return store_->Set(key, EncodeInt64(value)); }

bool MMKV::set(float value, const std::string& key) { return store_->Set(key, EncodeFloat(value)); }

bool MMKV::set(double value, const std::string& key) { return store_->Set(key, EncodeDouble(value)); }

bool MMKV::set(const std::string& value, const std::string& key) { return store_->Set(key, EncodeString(value)); }

bool MMKV::set(const char* value, const std::string& key)
{
    return value != nullptr ? set(std::string(value), key) : store_->Remove(key);
}

void MMKV::clearAll(bool) { store_->Clear(); }

void MMKV::holdWrites() { store_->HoldWrites(); }

bool MMKV::writeHeld() { return store_->WriteHeld(); }

std::size_t MMKV::count() { return store_->Count(); }

std::vector<std::string> MMKV::allKeys() { return store_->Keys(); }
