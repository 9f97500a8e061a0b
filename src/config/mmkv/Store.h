#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "config/mmkv/KeyValueStream.h"
#include "config/mmkv/MetaFile.h"
#include "config/mmkv/StoreFiles.h"

namespace Vyro::Mmkv {

// One open store: its values in memory, read once when it is opened. A writable store writes every
// change through to its files at once; a read-only one never touches them. Safe to share between
// threads.
class Store {
public:
    // `key` is the padded AES key, or null for a plain store. Null when a writable store's files
    // cannot be created; a read-only store always opens, empty when its files do not read (one
    // warning says why).
    static std::unique_ptr<Store> Open(StoreLocation location, std::optional<std::string> key, bool readOnly);

    // The stored bytes of `key`'s value.
    std::optional<std::string> Find(const std::string& key) const;
    // False for an empty key, a read-only store, or a failed write (which leaves the store as it was).
    bool Set(const std::string& key, std::string value);
    bool Remove(const std::string& key);
    void Clear();
    // Changes from here on stay in memory until WriteHeld(), which writes them all at once: a store
    // built key by key would otherwise be rewritten once per key.
    void HoldWrites();
    // Writes the held changes and ends holding; false when the write fails (the files then hold
    // what they held before holding began).
    bool WriteHeld();
    std::size_t Count() const;
    std::vector<std::string> Keys() const;

private:
    Store(StoreLocation location, std::optional<std::string> key, bool readOnly, StoreMeta meta, ValueMap values);

    bool Writable(const std::string& key) const;
    // Applies one change and rewrites the store; undoes the change when the write fails.
    bool Commit(const std::string& key, std::optional<std::string> value);
    void Assign(const std::string& key, std::optional<std::string> value);

    const StoreLocation location_;
    const std::optional<std::string> key_;
    const bool readOnly_;
    mutable std::mutex mutex_;
    StoreMeta meta_;
    ValueMap values_;
    bool holding_ = false;
};

} // namespace Vyro::Mmkv
