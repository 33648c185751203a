#include "ioconfig/io_map.h"

#include <algorithm>
#include <cctype>

#include "ioconfig/channel_offer.h"
#include "ioconfig/csv_text.h"
#include "ioconfig/messages.h"

namespace {

// Two outputs on the channel, or an input and an output.
bool SignalsFight(const MappedChannel& channel) {
    const auto count = [&](SignalDirection direction) {
        return std::count_if(channel.uses.begin(), channel.uses.end(),
                             [direction](const ChannelUse& use) { return use.row.direction == direction; });
    };
    const auto outputs = count(SignalDirection::Output);
    return outputs > 1 || (outputs > 0 && count(SignalDirection::Input) > 0);
}

// A use in a direction the controller does not offer the channel in. One
// whose configuration could not be read is given the benefit of the doubt,
// as the check gives it.
bool UsedAsNotOffered(const MappedChannel& channel, const ChannelConfiguration& channels) {
    if (std::find(channels.unreadChannels.begin(), channels.unreadChannels.end(), channel.channel) !=
        channels.unreadChannels.end())
        return false;
    for (const ChannelUse& use : channel.uses)
        if (!(use.row.direction == SignalDirection::Input ? channel.offersInput : channel.offersOutput)) return true;
    return false;
}

MappedChannel& Entry(std::map<int, MappedChannel>& map, int channel) {
    MappedChannel& entry = map[channel];
    entry.channel = channel;
    return entry;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

}  // namespace

std::string ChannelLabelKey(int channel) { return "Channel" + std::to_string(channel); }

std::optional<int> LabelledChannel(const std::string& key) {
    constexpr std::string_view prefix = "channel";
    if (key.size() <= prefix.size() || key.size() > prefix.size() + 3) return std::nullopt;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(key[i])) != prefix[i]) return std::nullopt;
    int channel = 0;
    for (size_t i = prefix.size(); i < key.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(key[i]))) return std::nullopt;
        channel = channel * 10 + (key[i] - '0');
    }
    if (channel < 1 || channel > HighestOfferedChannel) return std::nullopt;
    return channel;
}

std::vector<MappedChannel> MapChannels(const IoConfigImage& image, const std::optional<ChannelConfiguration>& channels,
                                       const ChannelLabels& labels) {
    std::map<int, MappedChannel> map;
    if (channels) {
        for (int channel = 1; channel <= ChannelsToOffer(channels->channelCount); ++channel) {
            MappedChannel& entry = Entry(map, channel);
            const uint32_t flags = static_cast<size_t>(channel) <= channels->flags.size() ? channels->flags[channel - 1u] : 0;
            entry.offersInput = OffersChannel(SignalDirection::Input, flags);
            entry.offersOutput = OffersChannel(SignalDirection::Output, flags);
        }
    }
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis)
        for (const SignalRow& row : SignalsOf(GetAxisKind(GetAxisRecord(image, axis))))
            if (const uint8_t channel = GetChannel(image, axis, row.signal); channel != NoChannel)
                Entry(map, channel).uses.push_back({axis, row});
    for (const auto& [channel, label] : labels) Entry(map, channel).label = label;

    std::vector<MappedChannel> mapped;
    for (auto& [channel, entry] : map) {
        if (SignalsFight(entry)) entry.state = ChannelState::Conflict;
        else if (!entry.uses.empty() && !(channels && UsedAsNotOffered(entry, *channels))) entry.state = ChannelState::Used;
        else if (channels && (!entry.uses.empty() || (!entry.offersInput && !entry.offersOutput)))
            entry.state = ChannelState::NotOffered;
        mapped.push_back(entry);
    }
    return mapped;
}

std::string OfferedDirection(const MappedChannel& channel) {
    if (channel.offersInput && channel.offersOutput) return "input/output";
    if (channel.offersInput) return "input";
    return channel.offersOutput ? "output" : "";
}

const char* StateName(ChannelState state) {
    switch (state) {
        case ChannelState::Used: return "used";
        case ChannelState::Conflict: return "conflict";
        case ChannelState::NotOffered: return "not offered";
        case ChannelState::Free: break;
    }
    return "free";
}

std::string UseName(const ChannelUse& use) { return "Axis " + std::to_string(use.axis) + " " + use.row.label; }

std::string ChannelRanges(const std::vector<int>& channels) {
    std::vector<std::string> ranges;
    for (size_t i = 0; i < channels.size();) {
        size_t last = i;
        while (last + 1 < channels.size() && channels[last + 1] == channels[last] + 1) ++last;
        std::string range = std::to_string(channels[i]);
        if (last > i) range += '-' + std::to_string(channels[last]);
        ranges.push_back(range);
        i = last + 1;
    }
    return Joined(ranges, ", ");
}

bool IsError(const MappedChannel& channel) {
    return channel.state == ChannelState::Conflict || (channel.state == ChannelState::NotOffered && !channel.uses.empty());
}

bool IsListed(const MappedChannel& channel) { return !channel.uses.empty() || !channel.label.empty(); }

std::vector<std::string> IoMapText(const std::vector<MappedChannel>& map, bool controllerKnown) {
    std::vector<std::string> lines;
    std::map<std::string, std::vector<int>> free;
    for (const MappedChannel& channel : map) {
        if (channel.uses.empty())
            if (const std::string direction = OfferedDirection(channel); !direction.empty())
                free[direction].push_back(channel.channel);
        if (!IsListed(channel)) continue;
        std::vector<std::string> names;
        for (const ChannelUse& use : channel.uses) names.push_back(UseName(use));
        std::vector<std::string> about{OfferedDirection(channel), StateName(channel.state)};
        std::erase(about, "");
        lines.push_back("Channel " + std::to_string(channel.channel) + " (" + Joined(about, ", ") + "): " +
                        (names.empty() ? "no signal" : Joined(names, ", ")) +
                        (channel.label.empty() ? "" : "  [" + channel.label + "]"));
    }
    if (!controllerKnown) {
        lines.push_back(FreeChannelsUnknownLine);
        return lines;
    }
    for (const auto& [direction, name] : {std::pair{"input", "inputs"}, {"output", "outputs"}, {"input/output", "inputs/outputs"}})
        if (free.count(direction) != 0) lines.push_back(std::string("free ") + name + ": " + ChannelRanges(free[direction]));
    return lines;
}

std::vector<std::string> IoMapCsv(const std::vector<MappedChannel>& map, CsvFor form) {
    std::vector<std::string> lines{"channel,direction,axis,signal,state,label"};
    for (const MappedChannel& channel : map) {
        if (channel.uses.empty() && !channel.label.empty())
            lines.push_back(std::to_string(channel.channel) + "," + OfferedDirection(channel) + ",,," +
                            StateName(channel.state) + "," + CsvField(channel.label, form));
        for (const ChannelUse& use : channel.uses)
            lines.push_back(std::to_string(channel.channel) + "," +
                            (use.row.direction == SignalDirection::Input ? "input" : "output") + "," +
                            std::to_string(use.axis) + "," + use.row.label + "," + StateName(channel.state) + "," +
                            CsvField(channel.label, form));
    }
    return lines;
}
