// Save As then Open File of 16 axes: the real commands 1010 and 1000 on
// Quillet's main window, their file dialogs answered with one path, against
// the 16 WritePrivateProfileStringA and 16 GetPrivateProfileStringA calls of
// 192-character values that the same work needs.
#pragma once

#include <windows.h>

#include "bench/result_table.h"

struct FileRows {
    // From each dialog's return to the command's return, against the bare
    // calls: the target is judged on this row.
    ResultRow ownWork;
    // The whole commands, against the bare calls and against the same file
    // dialogs, called directly and answered alike, followed by the bare calls.
    ResultRow wholeAgainstCalls;
    ResultRow wholeAgainstDialogs;
    // Where the own work goes: inside the profile calls, outside them, and
    // how many calls it makes.
    ResultRow insideCalls;
    ResultRow outsideCalls;
    ResultRow callCount;
};

FileRows MeasureFiles(HWND quilletWindow, int repetitions);
