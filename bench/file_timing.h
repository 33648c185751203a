// The files' work of a save and an open, timed directly: WriteIoConfigFile
// then ReadIoConfigFile of 16 axes, against floors that do the same work with
// bare calls of the platform.
#pragma once

#include <vector>

#include "bench/result_table.h"

// One row per floor, each beside the same samples of Quillet's functions.
std::vector<ResultRow> MeasureFiles(int repetitions);
