#include "config/mmkv/Store.h"

#include "config/mmkv/StoreLog.h"
#include "config/mmkv/StoreReader.h"
#include "config/mmkv/StoreWriter.h"

namespace Vyro::Mmkv {

namespace {
// With per-key expiration on, every value ends in a 4-byte expiry time; 0 is "never".
constexpr std::size_t kExpirySize = 4;
} // namespace

std::unique_ptr<Store> Store::Open(StoreLocation location, std::optional<std::string> key, bool readOnly)
{
    if (!readOnly && !CreateMissingStoreFiles(location)) {
        return nullptr;
    }
    LoadedStore loaded = LoadStore(location, key);
    if (loaded.problem) {
        StoreLog(LogLevel::Warning, "MMKV {}: {}", location.Describe(), *loaded.problem);
    }
    return std::unique_ptr<Store>(
        new Store(std::move(location), std::move(key), readOnly, loaded.meta, std::move(loaded.values)));
}

Store::Store(StoreLocation location, std::optional<std::string> key, bool readOnly, StoreMeta meta, ValueMap values)
    : location_(std::move(location)), key_(std::move(key)), readOnly_(readOnly), meta_(meta), values_(std::move(values))
{
}

std::optional<std::string> Store::Find(const std::string& key) const
{
    const std::lock_guard lock(mutex_);
    const auto found = values_.find(key);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool Store::Set(const std::string& key, std::string value)
{
    const std::lock_guard lock(mutex_);
    if (!Writable(key)) {
        return false;
    }
    if ((meta_.flags & kExpirationFlag) != 0) {
        value.append(kExpirySize, '\0');
    }
    return Commit(key, std::move(value));
}

bool Store::Remove(const std::string& key)
{
    const std::lock_guard lock(mutex_);
    if (!Writable(key)) {
        return false;
    }
    return !values_.contains(key) || Commit(key, std::nullopt);
}

void Store::Clear()
{
    const std::lock_guard lock(mutex_);
    if (readOnly_) {
        StoreLog(LogLevel::Warning, "MMKV {}: clearAll on a read-only store is ignored", location_.Describe());
        return;
    }
    if (const auto meta = ClearStore(location_, meta_)) {
        meta_ = *meta;
        values_.clear();
    }
}

void Store::HoldWrites()
{
    const std::lock_guard lock(mutex_);
    holding_ = true;
}

bool Store::WriteHeld()
{
    const std::lock_guard lock(mutex_);
    if (!holding_) {
        return true;
    }
    holding_ = false;
    const auto meta = RewriteStore(location_, key_, meta_, values_);
    if (meta) {
        meta_ = *meta;
    }
    return meta.has_value();
}

std::size_t Store::Count() const
{
    const std::lock_guard lock(mutex_);
    return values_.size();
}

std::vector<std::string> Store::Keys() const
{
    const std::lock_guard lock(mutex_);
    std::vector<std::string> keys;
    keys.reserve(values_.size());
    for (const auto& entry : values_) {
        keys.push_back(entry.first);
    }
    return keys;
}

bool Store::Writable(const std::string& key) const
{
    if (readOnly_) {
        StoreLog(LogLevel::Warning, "MMKV {}: a read-only store cannot change key '{}'", location_.Describe(), key);
        return false;
    }
    return !key.empty();
}

bool Store::Commit(const std::string& key, std::optional<std::string> value)
{
    const auto found = values_.find(key);
    std::optional<std::string> before;
    if (found != values_.end()) {
        before = std::move(found->second);
    }
    Assign(key, std::move(value));
    if (holding_) {
        return true;
    }
    if (const auto meta = RewriteStore(location_, key_, meta_, values_)) {
        meta_ = *meta;
        return true;
    }
    Assign(key, std::move(before));
    return false;
}

void Store::Assign(const std::string& key, std::optional<std::string> value)
{
    if (value) {
        values_.insert_or_assign(key, std::move(*value));
    } else {
        values_.erase(key);
    }
}

} // namespace Vyro::Mmkv
