#pragma once

#include <cstdint>
#include <string>

#include "Handles.h"

namespace Vyro::XboxSim {

// NotInitialised: before XblInitialize, or once a cleanup completed. CleaningUp: XblCleanupAsync
// started and has not completed.
enum class XblState { NotInitialised, Initialised, CleaningUp };

// One Xbox services context, made for a user handle.
struct XblContextRecord {
    std::uint64_t user = 0;
};

// The Xbox services library of Microsoft.Xbox.Services.GDK.C.Thunks.dll, in the runtime's state.
struct XblLibrary {
    XblState state = XblState::NotInitialised;
    bool everInitialised = false;
    std::string scid;
    std::uint64_t queue = 0;
    HandleTable<XblContextRecord> contexts;
};

const char* XblStateName(XblState state);

} // namespace Vyro::XboxSim
