#include "ioconfig/summary_layout.h"

#include <cstdio>

namespace {

std::string AxisHeader(int axis, AxisKind kind) {
    char text[64];
    std::snprintf(text, sizeof text, "Axis %d: %s", axis,
                  kind == AxisKind::Servo ? "Servo" : "Stepper");
    return text;
}

std::string ChannelValue(uint8_t channel) {
    char text[8];
    std::snprintf(text, sizeof text, "%2u", static_cast<unsigned>(channel));
    return text;
}

}  // namespace

std::vector<SummaryText> LayOutSummary(const IoConfigImage& image) {
    std::vector<SummaryText> texts;
    int x = SummaryLeft;
    int y = SummaryTop;
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        const AxisKind kind = GetAxisKind(record);
        texts.push_back({x + SummaryHeaderIndent, y, AxisHeader(axis, kind)});
        y += SummaryLineStep;
        const auto& signals = SignalsOf(kind);
        for (size_t line = 0; line < signals.size(); ++line) {
            // The summary shows record bytes 16 to 21 for either kind of
            // axis, so a servo's "Direction (out)" line shows byte 21.
            texts.push_back({x, y, signals[line].label});
            texts.push_back({x + SummaryValueColumn, y,
                             ChannelValue(record.bytes[static_cast<size_t>(IoSignal::CoarseHome) + line])});
            y += SummaryLineStep;
        }
        y += SummaryLineStep;
        if (axis % SummaryAxesPerColumn == 0) {
            x += SummaryColumnStep;
            y = SummaryTop;
        }
    }
    return texts;
}
