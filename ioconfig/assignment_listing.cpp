#include "ioconfig/assignment_listing.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "ioconfig/messages.h"

namespace {

using Part = AssignmentDifference::Part;

std::string ChannelText(int channel) { return channel == NoChannel ? "--" : std::to_string(channel); }

std::string AxisName(int axis) { return "Axis " + std::to_string(axis); }

void DiffSignals(int axis, const AxisIoRecord& before, const AxisIoRecord& after, std::set<size_t>& slots,
                 std::vector<AssignmentDifference>& differences) {
    // The new kind's signals first, then any of the old kind's it lacks.
    for (AxisKind kind : {GetAxisKind(after), GetAxisKind(before)}) {
        for (const SignalRow& row : SignalsOf(kind)) {
            const size_t slot = static_cast<size_t>(row.signal);
            if (!slots.insert(slot).second) continue;
            const uint8_t from = GetChannel(before, row.signal);
            const uint8_t to = GetChannel(after, row.signal);
            if (from != to) differences.push_back({.part = Part::Channel, .axis = axis, .row = &row, .before = from, .after = to});
        }
    }
}

void DiffOtherBytes(int axis, const AxisIoRecord& before, const AxisIoRecord& after, const std::set<size_t>& slots,
                    std::vector<AssignmentDifference>& differences) {
    for (size_t at = 0; at < AxisIoRecordSize; ++at)
        if (slots.count(at) == 0 && before.bytes[at] != after.bytes[at])
            differences.push_back(
                {.part = Part::Byte, .axis = axis, .offset = at, .before = before.bytes[at], .after = after.bytes[at]});
}

// An axis's other bytes that differ, from differences[at] on, as one line;
// at is left on the last of them.
std::string OtherBytesLine(const std::vector<AssignmentDifference>& differences, size_t& at) {
    const int axis = differences[at].axis;
    std::string offsets = std::to_string(differences[at].offset);
    int count = 1;
    for (; at + 1 < differences.size() && differences[at + 1].part == Part::Byte && differences[at + 1].axis == axis; ++count)
        offsets += ", " + std::to_string(differences[++at].offset);
    return AxisName(axis) + (count == 1 ? ": byte " + offsets + " differs" : ": bytes " + offsets + " differ");
}

}  // namespace

const char* KindName(AxisKind kind) { return kind == AxisKind::Servo ? "Servo" : "Stepper"; }

const char* DirectionName(SignalDirection direction) { return direction == SignalDirection::Input ? "input" : "output"; }

std::vector<std::string> ListAssignments(const IoConfigImage& image) {
    std::vector<std::string> lines;
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        lines.push_back(AxisName(axis) + ": " + KindName(GetAxisKind(record)));
        for (const SignalRow& row : SignalsOf(GetAxisKind(record))) {
            char line[64];
            std::snprintf(line, sizeof line, "  %-20s%s", row.label, ChannelText(GetChannel(record, row.signal)).c_str());
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> ListAssignmentLines(const IoConfigImage& image, const ChannelLabels& labels) {
    std::vector<std::string> lines;
    std::set<int> used;
    const auto labelled = [&labels](int channel) {
        const auto label = labels.find(channel);
        return label == labels.end() ? std::string() : " \"" + label->second + "\"";
    };
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        lines.push_back(AxisName(axis) + ": " + KindName(GetAxisKind(record)));
        for (const SignalRow& row : SignalsOf(GetAxisKind(record))) {
            const int channel = GetChannel(record, row.signal);
            used.insert(channel);
            lines.push_back(AxisName(axis) + " " + row.label + ": " + ChannelText(channel) + labelled(channel));
        }
    }
    for (const auto& [channel, label] : labels)
        if (!used.contains(channel)) lines.push_back("Channel " + std::to_string(channel) + ":" + labelled(channel));
    return lines;
}

std::vector<std::string> ListAssignmentsCsv(const IoConfigImage& image) {
    std::vector<std::string> lines{"axis,kind,signal,direction,channel"};
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        for (const SignalRow& row : SignalsOf(GetAxisKind(record))) {
            const uint8_t channel = GetChannel(record, row.signal);
            lines.push_back(std::to_string(axis) + "," + KindName(GetAxisKind(record)) + "," + row.label + "," +
                            DirectionName(row.direction) + "," +
                            (channel == NoChannel ? "" : std::to_string(channel)));
        }
    }
    return lines;
}

std::vector<AssignmentDifference> AssignmentDifferences(const IoConfigImage& oldImage, const IoConfigImage& newImage) {
    std::vector<AssignmentDifference> differences;
    const int oldAxes = AxisRecordsInUse(oldImage);
    const int newAxes = AxisRecordsInUse(newImage);
    for (int axis = 1; axis <= std::max(oldAxes, newAxes); ++axis) {
        const AxisIoRecord before = GetAxisRecord(oldImage, axis);
        const AxisIoRecord after = GetAxisRecord(newImage, axis);
        if (axis > oldAxes || axis > newAxes) {
            AssignmentDifference& inUse = differences.emplace_back(AssignmentDifference{.part = Part::Kind, .axis = axis});
            if (axis <= oldAxes) inUse.kindBefore = GetAxisKind(before);
            if (axis <= newAxes) inUse.kindAfter = GetAxisKind(after);
            continue;
        }
        if (GetAxisKind(before) != GetAxisKind(after))
            differences.push_back(
                {.part = Part::Kind, .axis = axis, .kindBefore = GetAxisKind(before), .kindAfter = GetAxisKind(after)});
        std::set<size_t> slots;
        DiffSignals(axis, before, after, slots, differences);
        DiffOtherBytes(axis, before, after, slots, differences);
    }
    return differences;
}

std::vector<std::string> DiffAssignments(const IoConfigImage& oldImage, const IoConfigImage& newImage,
                                         const std::string& oldName, const std::string& newName) {
    const std::vector<AssignmentDifference> differences = AssignmentDifferences(oldImage, newImage);
    std::vector<std::string> lines;
    for (size_t at = 0; at < differences.size(); ++at) {
        const AssignmentDifference& difference = differences[at];
        const std::string axis = AxisName(difference.axis);
        if (difference.part == Part::Channel)
            lines.push_back(axis + " " + difference.row->label + ": " + ChannelText(difference.before) + " -> " +
                            ChannelText(difference.after));
        else if (difference.part == Part::Byte) lines.push_back(OtherBytesLine(differences, at));
        else if (!difference.kindBefore || !difference.kindAfter)
            lines.push_back(axis + ": only in " + (difference.kindBefore ? oldName : newName));
        else lines.push_back(axis + ": " + KindName(*difference.kindBefore) + " -> " + KindName(*difference.kindAfter));
    }
    return lines;
}

std::string ListedAtMost(const std::vector<std::string>& lines, size_t shown) {
    std::string text;
    for (size_t i = 0; i < lines.size() && i < shown; ++i) text += (i == 0 ? "" : "\n") + lines[i];
    if (lines.size() > shown) text += '\n' + MoreLinesText(lines.size() - shown);
    return text;
}
