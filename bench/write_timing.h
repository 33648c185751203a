// The whole Write command after its question, timed directly on the
// simulated board: lock, copy of the values stored before, store, restart
// request, read-back; beside the bare registry calls of the same store, and
// each step alone beside that floor, to show where the time goes.
#pragma once

#include <vector>

#include "bench/result_table.h"

struct WriteRows {
    ResultRow write;
    std::vector<ResultRow> steps;
};

WriteRows MeasureWrite(int repetitions);
