// Plain-text views of an image's records in use, one line each, for the
// command-line companion: the assignments axis by axis, the same as CSV, and
// what differs between two images.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ioconfig/io_config_image.h"
#include "ioconfig/io_map.h"

// "Servo" or "Stepper".
const char* KindName(AxisKind kind);
// "input" or "output".
const char* DirectionName(SignalDirection direction);

// "Axis 1: Servo", then each of its six signals as in the summary, its
// channel or "--" for none.
std::vector<std::string> ListAssignments(const IoConfigImage& image);

// For comparing line by line (git diff): "Axis 2: Stepper", then a line a
// signal that names its axis, "Axis 2 Amp Enable (out): 26", with the
// channel's label in quotes when it has one; then each labelled channel no
// signal uses, "Channel 30: \"spare\"".
std::vector<std::string> ListAssignmentLines(const IoConfigImage& image, const ChannelLabels& labels);

// "axis,kind,signal,direction,channel", then a row a signal; an empty
// channel field for none.
std::vector<std::string> ListAssignmentsCsv(const IoConfigImage& image);

// One thing that differs between two images' records in use: a signal's
// channel, an axis's kind, or another byte of its record. An axis in use on
// one side only has no kind on the other, and nothing else of it is compared.
struct AssignmentDifference {
    enum class Part { Channel, Kind, Byte };
    Part part = Part::Channel;
    int axis = 0;
    const SignalRow* row = nullptr;  // a channel's signal
    size_t offset = 0;               // a byte's place in the record
    int before = 0;                  // a channel (NoChannel for none) or a byte's value
    int after = 0;
    std::optional<AxisKind> kindBefore{};
    std::optional<AxisKind> kindAfter{};
};

// In the order of the lines of DiffAssignments, which says them.
std::vector<AssignmentDifference> AssignmentDifferences(const IoConfigImage& oldImage, const IoConfigImage& newImage);

// A line for each signal whose channel differs ("Axis 3 Amp Enable (out):
// 27 -> 28"), an axis in use on one side only ("Axis 9: only in NEW", named
// by the side's name), a kind that differs ("Axis 2: Servo -> Stepper") and
// the other bytes of a record that differ ("Axis 2: bytes 24, 25 differ");
// none when the records in use are the same byte for byte.
std::vector<std::string> DiffAssignments(const IoConfigImage& oldImage, const IoConfigImage& newImage,
                                         const std::string& oldName = "OLD", const std::string& newName = "NEW");

// The first `shown` lines, one a line, then "and K more." for the rest.
std::string ListedAtMost(const std::vector<std::string>& lines, size_t shown);
