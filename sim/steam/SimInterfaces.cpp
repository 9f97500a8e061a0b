#include "SimInterfaces.h"

namespace Vyro::SteamSim {

const SimInterface userInterface{Steamworks::kUserInterfaceVersion, true};
const SimInterface friendsInterface{Steamworks::kFriendsInterfaceVersion, true};
const SimInterface utilsInterface{Steamworks::kUtilsInterfaceVersion, false};

const SimInterface* FindInterface(const std::string& version)
{
    for (const SimInterface* candidate : {&userInterface, &friendsInterface, &utilsInterface}) {
        if (version == candidate->version) {
            return candidate;
        }
    }
    return nullptr;
}

} // namespace Vyro::SteamSim
