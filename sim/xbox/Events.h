#pragma once

// Events the system raises for every registration: they go on the completion port of the queue each
// registration named, and reach the game when it dispatches that queue.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "SimState.h"

namespace Vyro::XboxSim {

// Queues `event` for the account's user to every user change registration; how many were queued.
std::size_t QueueUserChange(SimState& state, Gdk::XUserChangeEvent event);
// Queues an invite with `uri` (null when none) to every game invite registration; how many.
std::size_t QueueInvite(SimState& state, const std::optional<std::string>& uri);
// Delivers an invite with `uri` from a thread of the runtime's own instead, as a system delivering
// on its own threads does: the delivery to every game invite registration begins at once (an
// unregistration with `wait` waits for it from then on), is held for `hold`, then calls each handler
// whether or not it was unregistered meanwhile, since the delivery had begun; how many.
std::size_t DeliverHeldInvite(SimState& state, const std::optional<std::string>& uri, std::chrono::milliseconds hold);

} // namespace Vyro::XboxSim
