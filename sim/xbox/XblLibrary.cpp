#include "XblLibrary.h"

namespace Vyro::XboxSim {

const char* XblStateName(XblState state)
{
    switch (state) {
    case XblState::NotInitialised:
        return "notInitialised";
    case XblState::Initialised:
        return "initialised";
    case XblState::CleaningUp:
        return "cleaningUp";
    }
    return "";
}

} // namespace Vyro::XboxSim
