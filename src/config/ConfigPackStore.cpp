#include "config/ConfigPackStore.h"

#include <cstdio>

#include "config/ConfigStore.h"
#include "config/Utf8Path.h"

namespace Vyro {

namespace {

template <typename Value>
bool SetValue(MMKV* store, const std::string& key, const Value& value)
{
    return store != nullptr && !key.empty() && store->set(value, key);
}

} // namespace

bool CreateConfigStore(const std::filesystem::path& folder, MMKV*& store)
{
    if (!std::filesystem::exists(std::filesystem::status(folder))) {
        std::filesystem::create_directories(folder);
    }
    const std::string root = PathToUtf8(folder);
    MMKV::initializeMMKV(root, MMKVLogWarning);
    store = OpenConfigStore(root, MMKV_SINGLE_PROCESS);
    if (store == nullptr) {
        std::fputs("error: failed to create config MMKV\n", stderr);
        return false;
    }
    store->clearAll(false);
    store->holdWrites();
    return true;
}

bool FinishConfigStore(MMKV* store) { return store != nullptr && store->writeHeld(); }

bool SetBool(MMKV* store, const std::string& key, bool value) { return SetValue(store, key, value); }
bool SetInt32(MMKV* store, const std::string& key, std::int32_t value) { return SetValue(store, key, value); }
bool SetInt64(MMKV* store, const std::string& key, std::int64_t value) { return SetValue(store, key, value); }
bool SetFloat(MMKV* store, const std::string& key, float value) { return SetValue(store, key, value); }
bool SetDouble(MMKV* store, const std::string& key, double value) { return SetValue(store, key, value); }
bool SetString(MMKV* store, const std::string& key, const std::string& value) { return SetValue(store, key, value); }

std::size_t CountConfigKeys(MMKV* store)
{
    return store == nullptr ? 0 : store->count();
}

} // namespace Vyro
