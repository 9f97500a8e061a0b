#pragma once

#include <memory>

#include "core/IChannelSDK.h"

namespace Vyro {

// Constructs the channel class of a store; the default channel for any other type. Constructing a
// channel calls nothing of its store. Defined beside the channel classes, which build on the core.
std::shared_ptr<IChannelSDK> MakeChannel(int channelType);

} // namespace Vyro
