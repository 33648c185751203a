#include "ioconfig/summary_layout.h"

#include <algorithm>
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

int ScaledToDpi(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    return static_cast<int>((scaled >= 0 ? scaled + BaseDpi / 2 : scaled - BaseDpi / 2) / BaseDpi);
}

std::vector<SummaryText> LayOutSummary(const IoConfigImage& image, const std::vector<Finding>& findings, int dpi) {
    std::vector<SummaryText> texts;
    int x = SummaryLeft;
    int y = SummaryTop;
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        const AxisKind kind = GetAxisKind(record);
        texts.push_back({x + SummaryHeaderIndent, y, AxisHeader(axis, kind), std::nullopt});
        y += SummaryLineStep;
        const auto& signals = SignalsOf(kind);
        // Each line shows the slot its signal uses, the one the editor's box
        // of the same label edits: a servo's direction is byte 22.
        for (const SignalRow& row : signals) {
            texts.push_back({x, y, row.label, std::nullopt});
            texts.push_back({x + SummaryValueColumn, y, ChannelValue(GetChannel(record, row.signal)),
                             GravestFindingAt(findings, {axis, row.signal})});
            y += SummaryLineStep;
        }
        y += SummaryLineStep;
        if (axis % SummaryAxesPerColumn == 0) {
            x += SummaryColumnStep;
            y = SummaryTop;
        }
    }
    for (SummaryText& text : texts) {
        text.x = ScaledToDpi(text.x, dpi);
        text.y = ScaledToDpi(text.y, dpi);
    }
    return texts;
}

int SummaryFooterTop(const IoConfigImage& image, int dpi) {
    constexpr int linesPerAxis = 8;
    const int rows = std::min(AxisRecordsInUse(image), SummaryAxesPerColumn);
    return ScaledToDpi(SummaryTop + rows * linesPerAxis * SummaryLineStep, dpi);
}
