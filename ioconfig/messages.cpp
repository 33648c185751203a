#include "ioconfig/messages.h"

#include "ioconfig/assignment_listing.h"
#include "ioconfig/counted_words.h"
#include "ioconfig/io_map.h"
#include "ioconfig/store_names.h"

// Controllers

std::string NamedController(ControllerNumber controllerNumber) { return "controller " + controllerNumber.Text(); }

// Start-up

std::string VersionMessageText(ControllerLibrary library) {
    // The version is written as three plain integers, so it reads 340.
    std::string text = "This application requires version ";
    for (int part : {3, 4, 0}) text += std::to_string(part);
    text += library == ControllerLibrary::Api ? "\nor later of the Kestrix API!"
                                              : "\nor later of the Kestrix Dialogs!";
    return text;
}

// Check Assignments

namespace {

std::string OnChannel(const std::string& signal, int channel) {
    return signal + " is on channel " + std::to_string(channel);
}

}  // namespace

std::string SharedOutputText(int channel, const std::string& users) {
    return "Output " + std::to_string(channel) + " is used by " + users + ".";
}

std::string InputAndOutputText(int channel, const std::string& inputs, const std::string& outputs) {
    return "Channel " + std::to_string(channel) + " is used as an input by " + inputs + " and as an output by " +
           outputs + ".";
}

std::string SharedInputText(int channel, const std::string& users) {
    return "Input " + std::to_string(channel) + " is used by " + users + ".";
}

std::string NoLimitsText(int axis) {
    return "Axis " + std::to_string(axis) +
           " has no Plus Limit (inp) and no Minus Limit (inp): nothing stops it at either end.";
}

std::string UnreadChannelUseText(const std::string& signal, int channel) {
    return OnChannel(signal, channel) + ", whose configuration Quillet could not read from the controller.";
}

std::string ChannelPastControllerText(const std::string& signal, int channel, int channelCount) {
    return OnChannel(signal, channel) + ", past the " + std::to_string(channelCount) + " channels of the controller.";
}

std::string ChannelNotOfferedText(const std::string& signal, int channel, bool input) {
    return OnChannel(signal, channel) + ", which the controller does not offer as an " +
           (input ? "input." : "output.");
}

std::string AxisPastControllerText(int axis, int axisCount, ControllerNumber controllerNumber) {
    const std::string name = "Axis " + std::to_string(axis);
    const std::string controller = " of " + NamedController(controllerNumber);
    if (axisCount == 1) return name + " is not the one axis" + controller + ".";
    if (axisCount <= 0) return name + " is not an axis" + controller + ", which has none.";
    return name + " is not one of the " + std::to_string(axisCount) + " axes" + controller + ".";
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

std::string MoreLinesText(size_t more) { return "and " + std::to_string(more) + " more."; }

std::string OnOneLine(std::string text) {
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

// The I/O map

std::string LongLabelsText(const std::vector<int>& channels) {
    const bool one = channels.size() == 1;
    const std::string longest = std::to_string(LongestChannelLabel);
    return (one ? "The label of channel " : "The labels of channels ") + ChannelRanges(channels) +
           (one ? " is" : " are") + " longer than " + longest + " characters: only " + (one ? "its" : "their") +
           " first " + longest + " are kept.";
}

// The journal

std::string JournalEventText(const JournalEntry& entry) {
    std::string text = "Quillet " + entry.command + " of " + NamedController(entry.controller) + " by " + entry.user +
                       " on " + entry.computer + " (" + entry.program + "): " + entry.result +
                       ".\r\nSource: " + (entry.source.empty() ? "none" : entry.source);
    if (!entry.sha256.empty()) text += " (SHA-256 " + entry.sha256 + ")";
    if (!entry.copy.empty()) text += "\r\nCopy of the values stored before: " + entry.copy;
    if (!entry.reason.empty()) text += "\r\nReason: " + entry.reason;
    if (!entry.note.empty()) text += "\r\nNote: " + entry.note;
    text += entry.changes.empty() ? "\r\nNo changes." : "\r\nChanges:";
    for (const std::string& change : entry.changes) text += "\r\n  " + change;
    return text;
}
