#pragma once

#include <utility>

#include "common/Logger.h"
#include "config/mmkv/MMKV.h"

// The store's diagnostics: lines for the library's log, dropped below the level the application
// chose with initializeMMKV.
namespace Vyro::Mmkv {

void SetStoreLogLevel(MMKVLogLevel level);
// Whether a line at `level` (a Vyro::LogLevel) passes the store's level.
bool StoreLogEnabled(int level);

template <typename... Args>
void StoreLog(int level, fmt::format_string<Args...> format, Args&&... args)
{
    if (StoreLogEnabled(level)) {
        Log(level, format, std::forward<Args>(args)...);
    }
}

} // namespace Vyro::Mmkv
