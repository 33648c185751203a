// How soon Quillet's real main window answers another program while idle,
// and while a Write waits ~10 s for a restarting controller (simulated board,
// controller 77): a second thread sends it WM_NULL every 20 ms and keeps the
// longest answer. The write's part must stay short and close to idle's.
#pragma once

#include <windows.h>

#include <vector>

#include "bench/result_table.h"

struct ResponsivenessRows {
    std::vector<ResultRow> targets;
    // How many probes were answered, over how long: what the figures rest on.
    std::vector<ResultRow> probes;
};

// The window holds no axes yet; it is read from the board, shown, written,
// then left idle as long as the write lasted. Taken once: the write alone
// lasts ~10 s.
ResponsivenessRows MeasureResponsiveness(HWND quilletWindow);
