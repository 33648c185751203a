// Start-up phases as the probe programs report them. A probe runs a whole
// start-up (RunQuillet's, or the bare program's) with hooks on its thread
// that note the clock as the main window is begun, created, shown and first
// painted; as it ends it writes "milliseconds phase" lines to the file named
// by the variable QUILLET_BENCH_STAMPS. The clock is the performance
// counter, which all processes share.
#pragma once

constexpr const char* StampFileVariable = "QUILLET_BENCH_STAMPS";

void StampPhase(const char* name);
// Stamps the end of each phase of the start-up of the first top-level
// window of this class.
void WatchStartUpPhases(const char* windowClass);
void WriteStamps();
