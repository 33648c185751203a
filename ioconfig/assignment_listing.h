// Plain-text views of an image's records in use, one line each, for the
// command-line companion: the assignments axis by axis, the same as CSV, and
// what differs between two images.
#pragma once

#include <string>
#include <vector>

#include "ioconfig/io_config_image.h"

// "Axis 1: Servo", then each of its six signals as in the summary, its
// channel or "--" for none.
std::vector<std::string> ListAssignments(const IoConfigImage& image);

// "axis,kind,signal,direction,channel", then a row a signal; an empty
// channel field for none.
std::vector<std::string> ListAssignmentsCsv(const IoConfigImage& image);

// A line for each signal whose channel differs ("Axis 3 Amp Enable (out):
// 27 -> 28"), an axis in use on one side only ("Axis 9: only in NEW", named
// by the side's name), a kind that differs ("Axis 2: Servo -> Stepper") and
// the other bytes of a record that differ ("Axis 2: bytes 24, 25 differ");
// none when the records in use are the same byte for byte.
std::vector<std::string> DiffAssignments(const IoConfigImage& oldImage, const IoConfigImage& newImage,
                                         const std::string& oldName = "OLD", const std::string& newName = "NEW");

// The first `shown` lines, one a line, then "and K more." for the rest.
std::string ListedAtMost(const std::vector<std::string>& lines, size_t shown);
