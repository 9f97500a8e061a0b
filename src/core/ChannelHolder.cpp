#include "core/ChannelHolder.h"

#include <vector>

#include "common/Logger.h"
#include "core/ChannelDetection.h"
#include "core/ChannelFactory.h"
#include "core/ChannelType.h"

namespace Vyro {

namespace {

struct ChannelHolder {
    std::shared_ptr<IChannelSDK> channel;
    std::vector<int> detected;
};

// Created on first use (thread-safe), destroyed when the library unloads, releasing a channel
// still held then.
ChannelHolder& Holder()
{
    static ChannelHolder holder;
    return holder;
}

bool IsStoreChannelType(int type) { return type >= ChannelType::Steam && type <= ChannelType::Epic; }

std::shared_ptr<IChannelSDK> CreateSDK()
{
    ChannelHolder& holder = Holder();
    if (holder.channel) {
        return holder.channel;
    }
    const int type = DetectChannelType();
    if (!IsStoreChannelType(type)) {
        Log(LogLevel::Error, "CreateSDK: No compatible channel found, SDK creation failed");
    }
    holder.channel = MakeChannel(type);
    return holder.channel;
}

} // namespace

int DetectChannelType()
{
    ChannelHolder& holder = Holder();
    if (!holder.detected.empty()) {
        return holder.detected.front();
    }
    return DetectStores(holder.detected);
}

std::shared_ptr<IChannelSDK> GetChannel() { return CreateSDK(); }

void InstallChannel(std::shared_ptr<IChannelSDK> channel) { Holder().channel = std::move(channel); }

void ReleaseChannel()
{
    ChannelHolder& holder = Holder();
    // Emptied before the channel is destroyed, so the holder is consistent while its destructor runs.
    const std::shared_ptr<IChannelSDK> released = std::move(holder.channel);
    holder.channel.reset();
    holder.detected.clear();
}

} // namespace Vyro
