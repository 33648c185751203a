#include "ioconfig/channel_offer.h"

#include <algorithm>

#include "controller/controller_layout.h"

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

int EntrySelectedFor(const std::vector<std::string>& entries, uint8_t stored) {
    const std::string text = std::to_string(stored);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].compare(0, text.size(), text) == 0) return static_cast<int>(i);
    return -1;
}
