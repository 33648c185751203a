// The I/O assignment editor at 48 and at 255 channels: command 1130 on
// Quillet's real main window, against a bare property sheet of the same four
// pages from template 2000 holding the same entries in the same boxes, with
// no controller calls.
#pragma once

#include <windows.h>

#include <vector>

#include "bench/result_table.h"

// Times each from its start to all four pages filled.
std::vector<ResultRow> MeasureEditor(HWND quilletWindow, int repetitions);
