#pragma once

// The SDK's log output: lines go to the game's log callback, on the thread that logs them, with no
// lock held, when they pass the threshold the game set.
#include <cstddef>
#include <string>

#include "SimState.h"

namespace Vyro::EosSim {

// The level the SDK logs its routine lines at, besides those the channel names.
inline constexpr Eos::LogLevel kLogVerbose = 500;

// Queues one of the SDK's own lines, unless "sdkLogging" is off; the caller delivers it with
// DeliverQueuedLog once it has let go of the lock.
void QueueSdkLog(Runtime& runtime, Eos::LogLevel level, const char* category, std::string message);
void DeliverQueuedLog();
// Logs `line` `count` times on this thread, as the SDK would from any of its threads; how many
// reached the callback.
std::size_t EmitLog(const LogLine& line, std::size_t count);

} // namespace Vyro::EosSim
