// The I/O map: the assignments by channel rather than by axis, for the
// people who wire the cabinet ("what is on output 29?"), as text, CSV and a
// printable page.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ioconfig/assignment_check.h"
#include "ioconfig/csv_text.h"
#include "ioconfig/io_config_image.h"

// A channel's label from a file's [ChannelLabels] section, such as a
// terminal or a wire tag: Channel25=X3:1 K12 amp enable.
using ChannelLabels = std::map<int, std::string>;
constexpr const char* ChannelLabelsSection = "ChannelLabels";
// A longer label is kept to its first this many characters.
constexpr size_t LongestChannelLabel = 255;
// 25 for "Channel25" (any case); nothing for any other key.
std::optional<int> LabelledChannel(const std::string& key);
// "Channel25" for 25.
std::string ChannelLabelKey(int channel);

// Conflict: two outputs use the channel, or an input and an output. Not
// offered: a signal uses it in a direction the controller does not offer it
// in (both errors), or, unused, the controller has it in neither direction
// or not at all.
enum class ChannelState { Free, Used, Conflict, NotOffered };

struct ChannelUse {
    int axis;
    SignalRow row;
};

struct MappedChannel {
    int channel;
    bool offersInput = false;  // both false when the controller is not known
    bool offersOutput = false;
    std::vector<ChannelUse> uses;
    ChannelState state = ChannelState::Free;
    std::string label;
};

// Every channel the controller has (when known), and every channel used or
// labelled, in order.
std::vector<MappedChannel> MapChannels(const IoConfigImage& image, const std::optional<ChannelConfiguration>& channels,
                                       const ChannelLabels& labels);

// A conflict, or a use the controller does not offer: what the check calls
// an error.
bool IsError(const MappedChannel& channel);
// Listed by every form of the map: used, or labelled.
bool IsListed(const MappedChannel& channel);

// "input", "output", "input/output", or empty when not known or offered.
std::string OfferedDirection(const MappedChannel& channel);
const char* StateName(ChannelState state);
// "Axis 3 Amp Enable (out)"
std::string UseName(const ChannelUse& use);
// "7-12, 20"
std::string ChannelRanges(const std::vector<int>& channels);

// A line per channel used or labelled, then the free channels by direction;
// without the controller, which channels are free is not known.
std::vector<std::string> IoMapText(const std::vector<MappedChannel>& map, bool controllerKnown);
// "channel,direction,axis,signal,state,label", then a row per use, whose
// direction is the signal's, and one per labelled channel without a use,
// whose direction is the one the controller offers.
// For Excel, a label that would run as a formula is written as text.
std::vector<std::string> IoMapCsv(const std::vector<MappedChannel>& map, CsvFor form = CsvFor::Scripts);

// What the page's title says.
struct IoMapHeading {
    std::string source;
    std::string controller;  // empty when not known
    std::string date;
};
// A self-contained page: no scripts, nothing fetched, one A4 page for 48
// channels, conflicts marked in colour and in words.
std::string IoMapHtml(const std::vector<MappedChannel>& map, const IoMapHeading& heading);
