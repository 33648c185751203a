#include "ioconfig/assignment_check.h"

#include <algorithm>
#include <map>

#include "ioconfig/assignment_listing.h"
#include "ioconfig/channel_offer.h"
#include "ioconfig/counted_words.h"
#include "ioconfig/store_names.h"

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
        const std::string number = std::to_string(channel);
        if (outputs.size() > 1)
            errors.push_back({FindingLevel::Error, "Output " + number + " is used by " + Listed(outputs) + ".",
                              PlacesOf(outputs)});
        if (!inputs.empty() && !outputs.empty())
            errors.push_back({FindingLevel::Error,
                              "Channel " + number + " is used as an input by " + Listed(inputs) +
                                  " and as an output by " + Listed(outputs) + ".",
                              PlacesOf(users)});
        if (inputs.size() > 1)
            warnings.push_back({FindingLevel::Warning, "Input " + number + " is used by " + Listed(inputs) + ".",
                                PlacesOf(inputs)});
    }
}

void CheckLimits(const IoConfigImage& image, std::vector<Finding>& warnings) {
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        if (GetChannel(image, axis, IoSignal::PlusLimit) != NoChannel ||
            GetChannel(image, axis, IoSignal::MinusLimit) != NoChannel)
            continue;
        const std::string name = "Axis " + std::to_string(axis);
        warnings.push_back({FindingLevel::Warning,
                            name + " has no Plus Limit (inp) and no Minus Limit (inp): nothing stops it at either end.",
                            {{axis, IoSignal::PlusLimit}, {axis, IoSignal::MinusLimit}}});
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
        const std::string channel = std::to_string(use.channel);
        if (IsUnread(channels, use.channel)) {
            warnings.push_back({FindingLevel::Warning,
                                Named(use) + " is on channel " + channel +
                                    ", whose configuration Quillet could not read from the controller.",
                                {PlaceOf(use)}});
            continue;
        }
        if (use.channel > channels.channelCount || static_cast<size_t>(use.channel) > channels.flags.size()) {
            errors.push_back({FindingLevel::Error, Named(use) + " is on channel " + channel + ", past the " +
                                                       std::to_string(std::max(channels.channelCount, 0)) +
                                                       " channels of the controller.",
                                {PlaceOf(use)}});
            continue;
        }
        if (OffersChannel(use.row->direction, channels.flags[use.channel - 1u])) continue;
        const bool input = use.row->direction == SignalDirection::Input;
        errors.push_back({FindingLevel::Error, Named(use) + " is on channel " + channel +
                                                   ", which the controller does not offer as an " +
                                                   (input ? "input." : "output."),
                            {PlaceOf(use)}});
    }
}

// A record past the controller's axes is one it would take up for no axis
// of its own, or refuse.
void CheckAxesOfTarget(const IoConfigImage& image, const TargetController& target, std::vector<Finding>& errors) {
    const std::string controller = " of controller " + ControllerNumberText(target.number) + ".";
    for (int axis = std::max(target.axisCount, 0) + 1; axis <= AxisRecordsInUse(image); ++axis) {
        const std::string name = "Axis " + std::to_string(axis);
        std::vector<SignalPlace> places;
        for (const SignalRow& row : SignalsOf(GetAxisKind(GetAxisRecord(image, axis)))) places.push_back({axis, row.signal});
        errors.push_back({FindingLevel::Error,
                          target.axisCount == 1 ? name + " is not the one axis" + controller
                          : target.axisCount <= 0
                              ? name + " is not an axis" + controller.substr(0, controller.size() - 1) + ", which has none."
                              : name + " is not one of the " + std::to_string(target.axisCount) + " axes" + controller,
                          std::move(places)});
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

std::string FindingsCountLine(const std::vector<Finding>& findings) {
    const int errors = CountFindings(findings, FindingLevel::Error);
    const int warnings = CountFindings(findings, FindingLevel::Warning);
    std::string counts;
    if (errors != 0) counts = Counted(errors, "conflict", "conflicts");
    if (warnings != 0) counts += (counts.empty() ? "" : ", ") + Counted(warnings, "warning", "warnings");
    if (counts.empty()) return "";
    return counts + ": Controller > Check Assignments lists " + (errors + warnings == 1 ? "it." : "them.");
}

std::string FindingsReport(const std::vector<Finding>& findings, size_t shown) {
    if (findings.empty()) return "No conflicts found.";
    std::vector<std::string> lines;
    for (const Finding& finding : findings)
        lines.push_back((finding.level == FindingLevel::Error ? "Conflict: " : "Warning: ") + finding.sentence);
    return ListedAtMost(lines, shown);
}
