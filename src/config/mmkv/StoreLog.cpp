#include "config/mmkv/StoreLog.h"

#include <atomic>

namespace Vyro::Mmkv {

namespace {
// MMKV's default until the application says otherwise.
std::atomic<int> storeLevel{MMKVLogInfo};

int ToStoreLevel(int level)
{
    switch (level) {
    case LogLevel::Trace:
    case LogLevel::Debug: return MMKVLogDebug;
    case LogLevel::Info: return MMKVLogInfo;
    case LogLevel::Warning: return MMKVLogWarning;
    default: return MMKVLogError;
    }
}
} // namespace

void SetStoreLogLevel(MMKVLogLevel level) { storeLevel.store(level, std::memory_order_relaxed); }

bool StoreLogEnabled(int level) { return ToStoreLevel(level) >= storeLevel.load(std::memory_order_relaxed); }

} // namespace Vyro::Mmkv
