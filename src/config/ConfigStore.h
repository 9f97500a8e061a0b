#pragma once

#include <string>

#include "config/mmkv/MMKV.h"

namespace Vyro {

// The process's MMKV instance of the configuration store kept in `folder` (UTF-8), opened with
// the store's id and key; null when MMKV cannot open it.
MMKV* OpenConfigStore(const std::string& folder, MMKVMode mode);

} // namespace Vyro
