#pragma once

#include <cstddef>
#include <optional>

#include "SimState.h"

namespace Vyro::EosSim {

// Starts `threads` threads of the SDK's own that each log `line` `messages` times, and returns at
// once: the game's log callback then runs on threads that are not the game's, while the game goes
// on (even unloads the library's channel).
void StartLogThreads(std::size_t threads, std::size_t messages, const LogLine& line);
// Waits for every thread started so far and forgets them; how many there were. Nothing when called
// from one of them (a log callback), which cannot wait for itself.
std::optional<std::size_t> JoinLogThreads();
std::size_t LogThreadCount();

} // namespace Vyro::EosSim
