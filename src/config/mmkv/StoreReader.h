#pragma once

#include <optional>
#include <string>

#include "config/mmkv/KeyValueStream.h"
#include "config/mmkv/MetaFile.h"
#include "config/mmkv/StoreFiles.h"

namespace Vyro::Mmkv {

struct LoadedStore {
    // As read from the meta file (zero when there is none), so that a writer continues its
    // sequence and keeps its flags.
    StoreMeta meta;
    ValueMap values;
    // Why the store, or part of it, could not be read: one line for the log.
    std::optional<std::string> problem;
};

// Reads a store without changing anything on disk. Only bytes covered by a checksum that matches
// are ever decoded: when the current size and checksum do not match the data, the state the last
// rewrite confirmed is used if its checksum matches, otherwise the store reads as empty. Missing,
// short, oversized or undecodable files read as empty too. `key` is the padded AES key, or null
// for a plain store.
LoadedStore LoadStore(const StoreLocation& location, const std::optional<std::string>& key);

} // namespace Vyro::Mmkv
