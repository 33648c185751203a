// Start-up and footprint: quillet.exe, installed with the simulated board's
// libraries in a folder of its own, against the bare window program, each
// started as a process of its own.
#pragma once

#include <vector>

#include "bench/result_table.h"

struct StartUpRows {
    ResultRow startUp;
    ResultRow peakWorkingSet;
    ResultRow programSize;
};

// Start-up runs from CreateProcess to the program idle with its window
// visible. The peak working set is the process's after Quillet has read
// the I/O from the controller (command 1100, which the bare program ignores)
// and painted it.
StartUpRows MeasureStartUpAndFootprint(int repetitions);

// Where start-up's time goes: probe programs that run the start-up of
// quillet.exe (RunQuillet) and of the bare window program stamp the end of
// each phase; one row a phase, with its own time.
std::vector<ResultRow> MeasureStartUpPhases(int repetitions);
