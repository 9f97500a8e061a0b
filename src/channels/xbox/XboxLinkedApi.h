#pragma once

// The Xbox channel's tables when the library is linked against the Gaming Runtime and the Xbox
// services library instead of binding them by name: a shipped game's build links the GDK's
// xgameruntime.lib (whose loader finds the runtime the system installed) and the Xbox services
// thunks' import library; the tests here link the simulated GDK's static library in their place.
#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblApi.h"

namespace Vyro::XboxLinked {

// Every member points at the linked function of its name.
Gdk::GameRuntimeApi RuntimeApi();
Xbl::XblApi ServicesApi();

// Whether the Xbox services thunks library, which a game ships beside itself and which the linked
// build reaches through its imports, can be loaded with every function the table needs; false, with
// the reason logged, when it cannot. The runtime needs no such check: its loader answers
// XGameRuntimeInitialize itself.
bool LoadServices();

} // namespace Vyro::XboxLinked
