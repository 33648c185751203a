// The per-axis summary of the main window: which text is drawn at which
// point of the client area, worked out from the image alone.
#pragma once

#include <string>
#include <vector>

#include "ioconfig/io_config_image.h"

struct SummaryText {
    int x;
    int y;
    std::string text;
};

constexpr int SummaryLeft = 10;
constexpr int SummaryTop = 40;
constexpr int SummaryHeaderIndent = 20;
constexpr int SummaryValueColumn = 140;
constexpr int SummaryLineStep = 20;
constexpr int SummaryAxesPerColumn = 2;
constexpr int SummaryColumnStep = 200;

// For axes 1 to axisCount (at most the 16 records the image holds): a
// header "Axis n: Servo|Stepper", then six lines of label and record byte.
std::vector<SummaryText> LayOutSummary(const IoConfigImage& image);
