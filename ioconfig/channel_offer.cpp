#include "ioconfig/channel_offer.h"

#include <algorithm>

#include "ioconfig/controller_layout.h"

bool IsInputChannel(uint32_t flags) {
    return (flags & (ChannelFlagInput | ChannelFlagPresent)) == (ChannelFlagInput | ChannelFlagPresent);
}

bool IsOutputChannel(uint32_t flags) {
    return (flags & (ChannelFlagOutput | ChannelFlagPresent)) == (ChannelFlagOutput | ChannelFlagPresent);
}

bool OffersChannel(SignalDirection direction, uint32_t flags) {
    return direction == SignalDirection::Input ? IsInputChannel(flags) : IsOutputChannel(flags);
}

int ChannelsToOffer(int32_t channelCount) {
    return std::clamp<int32_t>(channelCount, 0, HighestOfferedChannel);
}
