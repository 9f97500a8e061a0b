#include "core/ChannelFactory.h"

#include "core/BaseChannelSDK.h"

namespace Vyro {

std::shared_ptr<IChannelSDK> MakeChannel(int /*channelType*/)
{
    // Every store gets the default channel until its own channel class exists.
    return std::make_shared<BaseChannelSDK>();
}

} // namespace Vyro
