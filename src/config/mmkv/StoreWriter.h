#pragma once

#include <optional>
#include <string>

#include "config/mmkv/KeyValueStream.h"
#include "config/mmkv/MetaFile.h"
#include "config/mmkv/StoreFiles.h"

// Writing a store: each change rewrites it whole, under a fresh IV. The data file is written before
// the meta file, so a write cut short leaves data that no checksum in the old meta file matches and
// the store reads as empty rather than wrong. Failures are logged as errors.
namespace Vyro::Mmkv {

// Creates the folder and whichever of the two files is missing: a data file of one zero page and
// the meta file of an empty store (version 4, sequence 0).
bool CreateMissingStoreFiles(const StoreLocation& location);

// Writes `values` as the whole store, encrypted with `key` (the padded AES key) unless it is null.
// Returns the meta file now on disk: sequence one past `previous`, its flags kept.
std::optional<StoreMeta> RewriteStore(const StoreLocation& location, const std::optional<std::string>& key,
                                      const StoreMeta& previous, const ValueMap& values);

// Empties the store: one zero page of data and a meta file with no stream under a fresh IV.
std::optional<StoreMeta> ClearStore(const StoreLocation& location, const StoreMeta& previous);

} // namespace Vyro::Mmkv
