#include "StoreQueries.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include <fmt/format.h>

#include "Failure.h"
#include "ListedKey.h"
#include "config/ConfigStore.h"
#include "config/ConfigStoreKey.h"
#include "config/Utf8Path.h"

namespace ConfigPack {

namespace {

namespace fs = std::filesystem;

// MMKV opens a read-only store whose files are missing as an empty one; a missing store is an
// error for the tool, not a store without keys.
MMKV* OpenStoreReadOnly(const fs::path& folder)
{
    std::error_code status;
    if (!fs::is_regular_file(folder / Vyro::kConfigStoreId, status)) {
        Fail("no configuration store in: " + Vyro::PathToUtf8(folder));
        return nullptr;
    }
    const std::string root = Vyro::PathToUtf8(folder);
    MMKV::initializeMMKV(root, MMKVLogWarning);
    MMKV* store = Vyro::OpenConfigStore(root, MMKV_SINGLE_PROCESS | MMKV_READ_ONLY);
    if (store == nullptr) {
        Fail("cannot open the configuration store in: " + root);
    }
    return store;
}

using ValueReader = std::optional<std::string> (*)(MMKV& store, const std::string& key);

template <typename Value>
std::string Format(Value value)
{
    if constexpr (std::is_same_v<Value, bool>) {
        return value ? "true" : "false";
    } else {
        // Shortest text that reads back as the same value.
        return fmt::format("{}", value);
    }
}

template <typename Value, Value (MMKV::*Getter)(const std::string&, Value, bool*)>
std::optional<std::string> ReadNumber(MMKV& store, const std::string& key)
{
    bool found = false;
    const Value value = (store.*Getter)(key, Value{}, &found);
    return found ? std::optional<std::string>(Format(value)) : std::nullopt;
}

std::optional<std::string> ReadString(MMKV& store, const std::string& key)
{
    std::string value;
    return store.getString(key, value) ? std::optional<std::string>(std::move(value)) : std::nullopt;
}

const std::map<std::string_view, ValueReader>& Readers()
{
    static const std::map<std::string_view, ValueReader> readers = {
        {"bool", &ReadNumber<bool, &MMKV::getBool>},
        {"int32", &ReadNumber<std::int32_t, &MMKV::getInt32>},
        {"int64", &ReadNumber<std::int64_t, &MMKV::getInt64>},
        {"float", &ReadNumber<float, &MMKV::getFloat>},
        {"double", &ReadNumber<double, &MMKV::getDouble>},
        {"string", &ReadString},
    };
    return readers;
}

} // namespace

int RunList(const fs::path& storeFolder, std::FILE* out)
{
    MMKV* store = OpenStoreReadOnly(storeFolder);
    if (store == nullptr) {
        return kFailed;
    }
    std::vector<std::string> keys = store->allKeys();
    std::sort(keys.begin(), keys.end());
    bool escaped = false;
    for (const std::string& key : keys) {
        const std::string listed = ListedKey(key);
        escaped = escaped || listed != key;
        std::fwrite(listed.data(), 1, listed.size(), out);
        std::fputc('\n', out);
    }
    if (escaped) {
        std::fputs("note: keys with a backslash or a control character are shown escaped (\\\\, \\n, \\r, \\t, \\xHH); "
                   "--get takes them as shown\n",
                   stderr);
    }
    return kSucceeded;
}

int RunGet(const fs::path& storeFolder, const std::string& type, const std::string& key, std::FILE* out)
{
    const auto reader = Readers().find(type);
    if (reader == Readers().end()) {
        Fail("unknown type '" + type + "' (bool, int32, int64, float, double or string)");
        return kBadCommandLine;
    }
    MMKV* store = OpenStoreReadOnly(storeFolder);
    if (store == nullptr) {
        return kFailed;
    }
    // The key as --list shows it first, then exactly as given.
    const std::optional<std::string> listedKey = KeyFromListing(key);
    std::optional<std::string> value = listedKey ? reader->second(*store, *listedKey) : std::nullopt;
    if (!value) {
        value = reader->second(*store, key);
    }
    if (!value) {
        return Fail("key not found: " + key);
    }
    std::fwrite(value->data(), 1, value->size(), out);
    std::fputc('\n', out);
    return kSucceeded;
}

} // namespace ConfigPack
