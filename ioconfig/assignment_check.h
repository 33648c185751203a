// The check of an image's assignments before they go to a board: channels
// that two signals would fight over, and axes left without limit inputs.
// Knowing the controller's channels, also channels it does not have or
// that do not serve the signal's direction.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"

enum class FindingLevel { Error, Warning };

// One signal of one axis.
struct SignalPlace {
    int axis;
    IoSignal signal;
    bool operator==(const SignalPlace&) const = default;
};

// One sentence naming the channel and every signal involved, by axis and
// label, for example "Output 29 is used by Axis 1 Amp Enable (out) and
// Axis 5 Drive Enable (out)."; the signals it names are those involved.
struct Finding {
    FindingLevel level;
    std::string sentence;
    std::vector<SignalPlace> involved;
};

// What the controller reports of its channels, as the editor reads them:
// flags[n - 1] is channel n's flags word. An unread channel's flags are 0:
// nothing is known of it, so it is offered nowhere.
struct ChannelConfiguration {
    int32_t channelCount = 0;
    std::vector<uint32_t> flags;
    std::vector<int> unreadChannels;
};

// The controller the assignments go to, as it describes itself: its number,
// the axes its I/O configuration has in use, and its channels.
struct TargetController {
    ControllerNumber number;
    int axisCount = 0;
    ChannelConfiguration channels;
};

// Checks the records in use (at most 16); channel 0 is no channel. Errors
// first by channel, then warnings.
std::vector<Finding> CheckAssignments(const IoConfigImage& image);
std::vector<Finding> CheckAssignments(const IoConfigImage& image, const ChannelConfiguration& channels);
// Against the target also an axis it does not have, for example "Axis 12 is
// not one of the 8 axes of controller 3.", before the channels' errors.
std::vector<Finding> CheckAssignments(const IoConfigImage& image, const TargetController& target);

int CountFindings(const std::vector<Finding>& findings, FindingLevel level);
std::vector<std::string> SentencesOf(const std::vector<Finding>& findings, FindingLevel level);

// The gravest finding that involves the signal: an error before a warning.
std::optional<FindingLevel> GravestFindingAt(const std::vector<Finding>& findings, SignalPlace place);
