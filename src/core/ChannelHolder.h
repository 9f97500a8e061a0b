#pragma once

#include <memory>

#include "core/IChannelSDK.h"

namespace Vyro {

// The one channel of the process, created on first use from the store detected beside the library.
// Not locked: the exports are called from one thread at a time.
std::shared_ptr<IChannelSDK> GetChannel();

// Drops the held channel and the detection result; the next GetChannel detects again.
void ReleaseChannel();

// The channel type to create: the first usable store runtime, 0 when none. Detection runs once
// per channel lifetime.
int DetectChannelType();

} // namespace Vyro
