// The per-axis summary of the main window: which text is drawn at which
// point of the client area, worked out from the image alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ioconfig/assignment_check.h"
#include "ioconfig/io_config_image.h"

// A channel number is marked with the gravest finding that involves it.
struct SummaryText {
    int x;
    int y;
    std::string text;
    std::optional<FindingLevel> mark = std::nullopt;
};

constexpr int SummaryLeft = 10;
constexpr int SummaryTop = 40;
constexpr int SummaryHeaderIndent = 20;
constexpr int SummaryValueColumn = 140;
constexpr int SummaryLineStep = 20;
constexpr int SummaryAxesPerColumn = 2;
constexpr int SummaryColumnStep = 200;

// The positions above are those of 96 dots per inch; at another DPI each is
// that many times dpi / 96, rounded.
constexpr int BaseDpi = 96;
int ScaledToDpi(int pixels, int dpi);

// For axes 1 to axisCount (at most the 16 records the image holds): a
// header "Axis n: Servo|Stepper", then six lines of label and record byte.
std::vector<SummaryText> LayOutSummary(const IoConfigImage& image, const std::vector<Finding>& findings = {},
                                       int dpi = BaseDpi);

// Where the lines below the summary begin: under the blocks of the tallest
// column.
int SummaryFooterTop(const IoConfigImage& image, int dpi = BaseDpi);
