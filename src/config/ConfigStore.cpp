#include "config/ConfigStore.h"

#include "config/ConfigStoreKey.h"

namespace Vyro {

MMKV* OpenConfigStore(const std::string& folder, MMKVMode mode)
{
    return MMKV::mmkvWithID(kConfigStoreId, mode, &kConfigStoreKey, &folder, 0, true);
}

} // namespace Vyro
