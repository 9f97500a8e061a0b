#pragma once

#include <string>

namespace Vyro {

// The id of the configuration store: the name of its data file and of the MMKV instance.
inline constexpr const char* kConfigStoreId = "VyroChannelConfig";

// The 32-byte AES-256 key of the configuration store, shared by the reader and the pack builder.
// Built once with the program's static data.
extern const std::string kConfigStoreKey;

} // namespace Vyro
