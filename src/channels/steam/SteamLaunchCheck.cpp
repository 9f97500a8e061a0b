#include "channels/steam/SteamLaunchCheck.h"

#include <algorithm>

namespace Vyro::Steamworks {

bool IsLaunchedBySteam(const std::vector<Platform::ProcessAncestor>& ancestors)
{
    return std::any_of(ancestors.begin(), ancestors.end(), [](const Platform::ProcessAncestor& ancestor) {
        return Platform::ToLowerAscii(ancestor.exeName) == "steam.exe";
    });
}

} // namespace Vyro::Steamworks
