#pragma once

// How the Xbox channel reaches the Gaming Runtime and the Xbox services library: the two tables it
// calls through, and the two ways of filling them. Which one a build's library uses is chosen when
// the build is configured (VYRO_XBOX_BINDING); everything above the tables is the same for both.
#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblApi.h"
#include "core/StoreLibrary.h"

namespace Vyro {

struct XboxBinding {
    LazyStoreApi<Gdk::GameRuntimeApi> runtime;
    LazyStoreApi<Xbl::XblApi> services;
};

// By name: xgameruntime.dll and the Xbox services thunks loaded beside the library (then by the
// system's search) and bound export by export at the first Load; both stay loaded for the process,
// since the runtime's threads may still be finishing work inside them.
XboxBinding BindXboxByName();
// Linked: the tables point at the functions the library is linked against; only the thunks library
// is checked, at the first Load.
XboxBinding BindXboxLinked();
// The binding this build's library was configured with.
XboxBinding DefaultXboxBinding();

} // namespace Vyro
