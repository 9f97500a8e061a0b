#include "SimState.h"

namespace Vyro::SteamSim {

std::mutex& StateMutex()
{
    static std::mutex mutex;
    return mutex;
}

SimState& UnguardedState()
{
    static SimState state;
    return state;
}

} // namespace Vyro::SteamSim
