#include "ioconfig/assignment_listing.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

const char* KindName(AxisKind kind) { return kind == AxisKind::Servo ? "Servo" : "Stepper"; }

std::string ChannelText(uint8_t channel) { return channel == NoChannel ? "--" : std::to_string(channel); }

std::string AxisName(int axis) { return "Axis " + std::to_string(axis); }

void DiffSignals(int axis, const AxisIoRecord& before, const AxisIoRecord& after, std::set<size_t>& slots,
                 std::vector<std::string>& lines) {
    // The new kind's signals first, then any of the old kind's it lacks.
    for (AxisKind kind : {GetAxisKind(after), GetAxisKind(before)}) {
        for (const SignalRow& row : SignalsOf(kind)) {
            const size_t slot = static_cast<size_t>(row.signal);
            if (!slots.insert(slot).second) continue;
            const uint8_t from = GetChannel(before, row.signal);
            const uint8_t to = GetChannel(after, row.signal);
            if (from != to)
                lines.push_back(AxisName(axis) + " " + row.label + ": " + ChannelText(from) + " -> " + ChannelText(to));
        }
    }
}

void DiffOtherBytes(int axis, const AxisIoRecord& before, const AxisIoRecord& after, const std::set<size_t>& slots,
                    std::vector<std::string>& lines) {
    std::string offsets;
    int count = 0;
    for (size_t at = 0; at < AxisIoRecordSize; ++at) {
        if (slots.count(at) != 0 || before.bytes[at] == after.bytes[at]) continue;
        offsets += (count++ == 0 ? "" : ", ") + std::to_string(at);
    }
    if (count == 1) lines.push_back(AxisName(axis) + ": byte " + offsets + " differs");
    if (count > 1) lines.push_back(AxisName(axis) + ": bytes " + offsets + " differ");
}

}  // namespace

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

std::vector<std::string> ListAssignmentsCsv(const IoConfigImage& image) {
    std::vector<std::string> lines{"axis,kind,signal,direction,channel"};
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        for (const SignalRow& row : SignalsOf(GetAxisKind(record))) {
            const uint8_t channel = GetChannel(record, row.signal);
            lines.push_back(std::to_string(axis) + "," + KindName(GetAxisKind(record)) + "," + row.label + "," +
                            (row.direction == SignalDirection::Input ? "input" : "output") + "," +
                            (channel == NoChannel ? "" : std::to_string(channel)));
        }
    }
    return lines;
}

std::vector<std::string> DiffAssignments(const IoConfigImage& oldImage, const IoConfigImage& newImage,
                                         const std::string& oldName, const std::string& newName) {
    std::vector<std::string> lines;
    const int oldAxes = AxisRecordsInUse(oldImage);
    const int newAxes = AxisRecordsInUse(newImage);
    for (int axis = 1; axis <= std::max(oldAxes, newAxes); ++axis) {
        if (axis > oldAxes || axis > newAxes) {
            lines.push_back(AxisName(axis) + ": only in " + (axis > oldAxes ? newName : oldName));
            continue;
        }
        const AxisIoRecord before = GetAxisRecord(oldImage, axis);
        const AxisIoRecord after = GetAxisRecord(newImage, axis);
        if (GetAxisKind(before) != GetAxisKind(after))
            lines.push_back(AxisName(axis) + ": " + KindName(GetAxisKind(before)) + " -> " + KindName(GetAxisKind(after)));
        std::set<size_t> slots;
        DiffSignals(axis, before, after, slots, lines);
        DiffOtherBytes(axis, before, after, slots, lines);
    }
    return lines;
}

std::string ListedAtMost(const std::vector<std::string>& lines, size_t shown) {
    std::string text;
    for (size_t i = 0; i < lines.size() && i < shown; ++i) text += (i == 0 ? "" : "\n") + lines[i];
    if (lines.size() > shown) text += "\nand " + std::to_string(lines.size() - shown) + " more.";
    return text;
}
