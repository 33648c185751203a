// Axis records that differ from one another, and the name each is stored
// under, for the tests and benchmarks of the files and the driver's key.
#pragma once

#include <string>

#include "ioconfig/io_config_image.h"

// Record `axis` of a set in which every record differs from the others; a
// set with another salt differs from this one axis by axis.
AxisIoRecord Patterned(int axis, int salt = 0);

// The record as a configuration file holds it: each byte as two upper-case
// hexadecimal digits and a space. Spelled out here, like AxisKey.
std::string HexText(const AxisIoRecord& record);

// "Axis<n>IOConfig": axis n's key in a configuration file and its value
// under the driver's key. Spelled out here, not taken from Quillet, so that
// the names Quillet uses are checked.
std::string AxisKey(int axis);
