#pragma once

// The exports of the simulated GDK: the Gaming Runtime functions the Xbox channel calls (exported by
// xgameruntime.dll) and the Xbox services functions (exported by
// Microsoft.Xbox.Services.GDK.C.Thunks.dll), under their real names with the types the channel binds
// them as, and the simulator's control entry point (xgameruntime.dll only).
#include <cstddef>
#include <cstdint>

#include "SimExport.h"
#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblApi.h"

// Declared from the channel's own function types: a definition here whose signature drifted from the
// type the channel calls it as is a compile error ("conflicting declaration of C function"), not a
// crash at run time.
extern "C" {
#define VYRO_SIM_DECLARE_RUNTIME(name) VYRO_SIM_EXPORT Vyro::Gdk::name##_t name;
#define VYRO_SIM_DECLARE_XBL(name) VYRO_SIM_EXPORT Vyro::Xbl::name##_t name;
VYRO_GAME_RUNTIME_FUNCTIONS(VYRO_SIM_DECLARE_RUNTIME)
VYRO_XBL_FUNCTIONS(VYRO_SIM_DECLARE_XBL)
#undef VYRO_SIM_DECLARE_RUNTIME
#undef VYRO_SIM_DECLARE_XBL
} // extern "C"
