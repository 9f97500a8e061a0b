#pragma once

// What the system dialogs share: a dialog starts as the store's calls do, and while the "dialogs"
// control holds dialogs open it waits for the player until "releaseWork".
#include "StoreCalls.h"

namespace Vyro::XboxSim {

HResult StartDialog(Call& call, Gdk::XAsyncBlock* block, StoreCallSettings& settings, Work work);
// The result function of a dialog that has no result of its own: how it ended, read once.
HResult TakeDialogOutcome(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed);

} // namespace Vyro::XboxSim
