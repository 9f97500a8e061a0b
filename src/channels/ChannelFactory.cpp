#include "core/ChannelFactory.h"

#include "channels/epic/EpicChannelSDK.h"
#include "channels/google/GoogleChannelSDK.h"
#include "channels/steam/SteamChannelSDK.h"
#include "channels/xbox/XboxChannelSDK.h"
#include "core/BaseChannelSDK.h"

namespace Vyro {

std::shared_ptr<IChannelSDK> MakeChannel(int channelType)
{
    switch (channelType) {
    case ChannelType::Steam:
        return std::make_shared<SteamChannelSDK>();
    case ChannelType::Google:
        return std::make_shared<GoogleChannelSDK>();
    case ChannelType::Epic:
        return std::make_shared<EpicChannelSDK>();
    case ChannelType::Xbox:
        return std::make_shared<XboxChannelSDK>();
    default:
        // Stores without a channel class of their own get the default channel.
        return std::make_shared<BaseChannelSDK>();
    }
}

} // namespace Vyro
