#pragma once

#include <string>

#include "channels/steam/SteamApi.h"

namespace Vyro::SteamSim {

// One interface the runtime hands out. Its address is the pointer the game passes back as the
// first argument of the interface's functions.
struct SimInterface {
    const char* version;
    bool perUser; // found only for the current user's handle; the others take any handle
};

extern const SimInterface userInterface;
extern const SimInterface friendsInterface;
extern const SimInterface utilsInterface;

// The interface of that version, or null for a version this runtime does not offer.
const SimInterface* FindInterface(const std::string& version);

inline void* InterfacePointer(const SimInterface& found) { return const_cast<SimInterface*>(&found); }

} // namespace Vyro::SteamSim
