#pragma once

#include <vector>

#include "common/Platform.h"

namespace Vyro::Steamworks {

// Whether any ancestor of the game process is the Steam client: an executable named exactly
// steam.exe, ignoring ASCII letter case. Steam starts games itself, sometimes through a launcher of
// the game's own, so the client may be further up than the parent.
bool IsLaunchedBySteam(const std::vector<Platform::ProcessAncestor>& ancestors);

} // namespace Vyro::Steamworks
