// The Controller menu's look at the window's assignments without changing
// anything: the check for conflicts, and the differences from what the
// controller holds or what is stored for it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controller/target_check.h"

struct AppState;

// Boxes list at most this many findings or differences.
constexpr size_t ListedInBox = 20;

// The differences from the other side, listed as "side -> window", or that
// there are none.
std::string ComparisonText(const std::string& other, const char* side, const std::vector<std::string>& differences);

// The check's last line: "Checked against controller 3.", or why not, as
// "Controller 3 could not be opened: channels not checked.".
std::string CheckedAgainstText(uint16_t controllerNumber, TargetCheckResult result);

void ShowAssignmentCheck(HWND window, const AppState& state);
void CompareWithController(HWND window, const AppState& state);
void CompareWithStoredValues(HWND window, const AppState& state);
