#include "ioconfig/assignment_check.h"

#include <algorithm>
#include <map>

#include "ioconfig/channel_offer.h"
#include "ioconfig/messages.h"

namespace {

// One signal of one axis that has a channel.
struct Use {
    int axis;
    const SignalRow* row;
    uint8_t channel;
};

std::string Named(const Use& use) { return "Axis " + std::to_string(use.axis) + " " + use.row->label; }

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<Use>& uses) {
    std::string text;
    for (size_t i = 0; i < uses.size(); ++i) {
        if (i > 0) text += i + 1 == uses.size() ? " and " : ", ";
        text += Named(uses[i]);
    }
    return text;
}

SignalPlace PlaceOf(const Use& use) { return {use.axis, use.row->signal}; }

std::vector<SignalPlace> PlacesOf(const std::vector<Use>& uses) {
    std::vector<SignalPlace> places;
    for (const Use& use : uses) places.push_back(PlaceOf(use));
    return places;
}

std::vector<Use> UsesOf(const IoConfigImage& image) {
    std::vector<Use> uses;
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        for (const SignalRow& row : SignalsOf(GetAxisKind(record))) {
            const uint8_t channel = GetChannel(record, row.signal);
            if (channel != NoChannel) uses.push_back({axis, &row, channel});
        }
    }
    return uses;
}

std::vector<Use> InDirection(const std::vector<Use>& uses, SignalDirection direction) {
    std::vector<Use> found;
    for (const Use& use : uses)
        if (use.row->direction == direction) found.push_back(use);
    return found;
}

void CheckSharedChannels(const std::vector<Use>& uses, std::vector<Finding>& errors, std::vector<Finding>& warnings) {
    std::map<uint8_t, std::vector<Use>> byChannel;
    for (const Use& use : uses) byChannel[use.channel].push_back(use);
    for (const auto& [channel, users] : byChannel) {
        const std::vector<Use> inputs = InDirection(users, SignalDirection::Input);
        const std::vector<Use> outputs = InDirection(users, SignalDirection::Output);
        if (outputs.size() > 1)
            errors.push_back({FindingLevel::Error, SharedOutputText(channel, Listed(outputs)), PlacesOf(outputs)});
        if (!inputs.empty() && !outputs.empty())
            errors.push_back(
                {FindingLevel::Error, InputAndOutputText(channel, Listed(inputs), Listed(outputs)), PlacesOf(users)});
        if (inputs.size() > 1)
            warnings.push_back({FindingLevel::Warning, SharedInputText(channel, Listed(inputs)), PlacesOf(inputs)});
    }
}

void CheckLimits(const IoConfigImage& image, std::vector<Finding>& warnings) {
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        if (GetChannel(image, axis, IoSignal::PlusLimit) != NoChannel ||
            GetChannel(image, axis, IoSignal::MinusLimit) != NoChannel)
            continue;
        warnings.push_back(
            {FindingLevel::Warning, NoLimitsText(axis), {{axis, IoSignal::PlusLimit}, {axis, IoSignal::MinusLimit}}});
    }
}

bool IsUnread(const ChannelConfiguration& channels, uint8_t channel) {
    return std::find(channels.unreadChannels.begin(), channels.unreadChannels.end(), channel) !=
           channels.unreadChannels.end();
}

// A channel the controller could not describe may well serve the signal:
// a warning, not an error.
void CheckAgainstController(const std::vector<Use>& uses, const ChannelConfiguration& channels,
                            std::vector<Finding>& errors, std::vector<Finding>& warnings) {
    for (const Use& use : uses) {
        if (IsUnread(channels, use.channel)) {
            warnings.push_back({FindingLevel::Warning, UnreadChannelUseText(Named(use), use.channel), {PlaceOf(use)}});
            continue;
        }
        if (use.channel > channels.channelCount || static_cast<size_t>(use.channel) > channels.flags.size()) {
            errors.push_back({FindingLevel::Error,
                              ChannelPastControllerText(Named(use), use.channel, std::max(channels.channelCount, 0)),
                              {PlaceOf(use)}});
            continue;
        }
        if (OffersChannel(use.row->direction, channels.flags[use.channel - 1u])) continue;
        const bool input = use.row->direction == SignalDirection::Input;
        errors.push_back({FindingLevel::Error, ChannelNotOfferedText(Named(use), use.channel, input), {PlaceOf(use)}});
    }
}

// A record past the controller's axes is one it would take up for no axis
// of its own, or refuse.
void CheckAxesOfTarget(const IoConfigImage& image, const TargetController& target, std::vector<Finding>& errors) {
    for (int axis = std::max(target.axisCount, 0) + 1; axis <= AxisRecordsInUse(image); ++axis) {
        std::vector<SignalPlace> places;
        for (const SignalRow& row : SignalsOf(GetAxisKind(GetAxisRecord(image, axis)))) places.push_back({axis, row.signal});
        errors.push_back(
            {FindingLevel::Error, AxisPastControllerText(axis, target.axisCount, target.number), std::move(places)});
    }
}

std::vector<Finding> Joined(std::vector<Finding> errors, const std::vector<Finding>& warnings) {
    errors.insert(errors.end(), warnings.begin(), warnings.end());
    return errors;
}

}  // namespace

std::vector<Finding> CheckAssignments(const IoConfigImage& image) {
    std::vector<Finding> errors;
    std::vector<Finding> warnings;
    CheckSharedChannels(UsesOf(image), errors, warnings);
    CheckLimits(image, warnings);
    return Joined(errors, warnings);
}

std::vector<Finding> CheckAssignments(const IoConfigImage& image, const ChannelConfiguration& channels) {
    std::vector<Finding> errors;
    std::vector<Finding> warnings;
    const std::vector<Use> uses = UsesOf(image);
    CheckSharedChannels(uses, errors, warnings);
    CheckAgainstController(uses, channels, errors, warnings);
    CheckLimits(image, warnings);
    return Joined(errors, warnings);
}

std::vector<Finding> CheckAssignments(const IoConfigImage& image, const TargetController& target) {
    std::vector<Finding> errors;
    CheckAxesOfTarget(image, target, errors);
    const std::vector<Finding> checked = CheckAssignments(image, target.channels);
    errors.insert(errors.end(), checked.begin(), checked.end());
    return errors;
}

int CountFindings(const std::vector<Finding>& findings, FindingLevel level) {
    return static_cast<int>(
        std::count_if(findings.begin(), findings.end(), [level](const Finding& finding) { return finding.level == level; }));
}

std::vector<std::string> SentencesOf(const std::vector<Finding>& findings, FindingLevel level) {
    std::vector<std::string> sentences;
    for (const Finding& finding : findings)
        if (finding.level == level) sentences.push_back(finding.sentence);
    return sentences;
}

std::optional<FindingLevel> GravestFindingAt(const std::vector<Finding>& findings, SignalPlace place) {
    std::optional<FindingLevel> gravest;
    for (const Finding& finding : findings) {
        if (std::find(finding.involved.begin(), finding.involved.end(), place) == finding.involved.end()) continue;
        if (finding.level == FindingLevel::Error) return finding.level;
        gravest = finding.level;
    }
    return gravest;
}
