#pragma once

#include "channels/epic/EosApi.h"

namespace Vyro {

// Routes EOS's log messages into the library's log at warning level. A marker entry named
// "MossLanternOpenVeil" beside the library (a support switch a player can be asked to create)
// turns on very verbose EOS logging into "QuietHarbour.LogSink" beside it; the marker is removed
// so that the next start is quiet again.
void SetupEosLogging(const Eos::EosApi& api);

} // namespace Vyro
