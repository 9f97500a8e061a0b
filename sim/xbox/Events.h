#pragma once

// Events the system raises for every registration: they go on the completion port of the queue each
// registration named, and reach the game when it dispatches that queue.
#include <cstddef>
#include <optional>
#include <string>

#include "SimState.h"

namespace Vyro::XboxSim {

// Queues `event` for the account's user to every user change registration; how many were queued.
std::size_t QueueUserChange(SimState& state, Gdk::XUserChangeEvent event);
// Queues an invite with `uri` (null when none) to every game invite registration; how many.
std::size_t QueueInvite(SimState& state, const std::optional<std::string>& uri);

} // namespace Vyro::XboxSim
