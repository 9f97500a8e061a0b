#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/Platform.h"

namespace Vyro {

// One store runtime the library recognises by its file beside the library.
struct StoreRuntime {
    int channelType;
    const wchar_t* dllName;
    std::optional<Platform::FileVersion> minimumVersion;
};

// In detection order: the first usable one wins.
const std::vector<StoreRuntime>& StoreRuntimes();

// The file name of a channel type's store runtime; empty for types without one.
std::wstring StoreRuntimeFileName(int channelType);

bool IsDllUsable(const std::wstring& dllName, const std::optional<Platform::FileVersion>& minimumVersion);

// Tests every store runtime in order and appends the usable ones to `detected` (which must be
// empty); returns the first, or 0 when none is usable.
int DetectStores(std::vector<int>& detected);

} // namespace Vyro
