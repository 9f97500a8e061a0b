#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

#include "SimSettings.h"

namespace Vyro::PlayGamesSim {

// Runs `delivery` (a call of a game's completion, owning everything it needs) as `timing` says:
// inside this call after the delay, or on the runtime's completion thread once the delay has
// passed, in the order they fall due. No lock of the runtime is held while it runs.
void Deliver(const Timing& timing, std::function<void()> delivery);

// Waits until the completion thread has run everything handed to it, or `timeout` has passed; how
// many deliveries are still pending.
std::size_t DrainCompletions(std::chrono::milliseconds timeout);
std::size_t PendingCompletions();
// Whether the caller is the completion thread (inside a completion it runs).
bool OnCompletionThread();

} // namespace Vyro::PlayGamesSim
