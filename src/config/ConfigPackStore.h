#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

class MMKV;

namespace Vyro {

// Creates `folder` if needed and opens the configuration store in it for writing, emptied of every
// earlier key. The values set from then on are written by FinishConfigStore, all at once. Prints
// "error: failed to create config MMKV" when the store cannot be opened; a folder that cannot be
// created throws std::filesystem::filesystem_error.
bool CreateConfigStore(const std::filesystem::path& folder, MMKV*& store);
// Writes the values set since CreateConfigStore; false without a store or when the write fails.
bool FinishConfigStore(MMKV* store);

// One value each; false without a store, for an empty key, or when the store refuses the write.
bool SetBool(MMKV* store, const std::string& key, bool value);
bool SetInt32(MMKV* store, const std::string& key, std::int32_t value);
bool SetInt64(MMKV* store, const std::string& key, std::int64_t value);
bool SetFloat(MMKV* store, const std::string& key, float value);
bool SetDouble(MMKV* store, const std::string& key, double value);
bool SetString(MMKV* store, const std::string& key, const std::string& value);

// The number of keys in the store; 0 without a store.
std::size_t CountConfigKeys(MMKV* store);

} // namespace Vyro
