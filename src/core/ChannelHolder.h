#pragma once

#include <memory>

#include "core/IChannelSDK.h"

namespace Vyro {

// The one channel of the process, created on first use from the store detected beside the library.
// Not locked: the exports are called from one thread at a time.
std::shared_ptr<IChannelSDK> GetChannel();

// Puts a ready-made channel in the holder as if it had been detected and created; for programs that
// link the library's code directly (tests, benchmarks) rather than detect a store.
void InstallChannel(std::shared_ptr<IChannelSDK> channel);

// Drops the held channel and the detection result; the next GetChannel detects again.
void ReleaseChannel();

// The channel type to create: the first usable store runtime, 0 when none. Detection runs once
// per channel lifetime.
int DetectChannelType();

} // namespace Vyro
