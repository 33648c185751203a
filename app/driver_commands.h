// Menu commands that bring the assignments to the controller through its
// driver: store or remove the axis records, then restart the controller.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* WriteConfirmationText =
    "Quillet will now update the settings and restart\n the controller. This may take up to 30 seconds.";
constexpr const char* ResetConfirmationText =
    "Quillet will now reset the settings and restart\n the controller. This may take up to 30 seconds.";

// Asked before a write whose image has errors; at most ten are listed.
std::string ConflictQuestionText(uint16_t controllerNumber, const std::vector<std::string>& errors);

struct AppState;

// Each leaves a line below the summary on what it did.
void WriteIoToController(HWND window, AppState& state);
void ResetControllerToDefaults(HWND window, AppState& state);
