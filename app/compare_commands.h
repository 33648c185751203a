// The Controller menu's look at the window's assignments without changing
// anything: the check for conflicts, and the differences from what the
// controller holds or what is stored for it.
#pragma once

#include <windows.h>

#include <cstddef>

struct AppState;

// Boxes list at most this many findings or differences.
constexpr size_t ListedInBox = 20;

void ShowAssignmentCheck(HWND window, const AppState& state);
void CompareWithController(HWND window, const AppState& state);
void CompareWithStoredValues(HWND window, const AppState& state);
