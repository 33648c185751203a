// The benchmarks' one clock: the performance counter, in milliseconds.
#pragma once

double NowMilliseconds();
