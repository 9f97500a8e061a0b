#pragma once

// What the store's exports share: the store context check, the start of an asynchronous store call
// as programmed, and the read of its completed result.
#include "AsyncCalls.h"
#include "Calls.h"
#include "Store.h"

namespace Vyro::XboxSim {

// Whether the handle is an open store context, journalled as "storeContext" (else misuse).
bool StoreContextOpen(Call& call, Gdk::XStoreContextHandle context);

// Starts a store call on the block as `settings` program it: its start HRESULT when that is a
// failure, else its next outcome, with `work` run when the work succeeds.
HResult StartStoreCall(Call& call, Gdk::XAsyncBlock* block, StoreCallSettings& settings, Work work);

// The completed call on the block, unless its result function is programmed to fail (`programmed`)
// or the result cannot be read; `failure` says why there is none.
Operation* ReadStoreResult(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed, HResult& failure);

} // namespace Vyro::XboxSim
