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

// Shown after the restart when the driver's values could not all be stored
// or removed, and when the controller's device is there but could not be
// opened to restart it; each ends with the system's reason.
std::string StoreFailureText(uint16_t controllerNumber, uint32_t error);
std::string RestartFailureText(uint16_t controllerNumber, uint32_t error);

// Asked before a write whose image has errors; at most ten are listed.
std::string ConflictQuestionText(uint16_t controllerNumber, const std::vector<std::string>& errors);
// Shown when the copy of the stored values could not be made; the command
// then stops.
std::string BackupFailureText(uint16_t controllerNumber, const std::string& path, uint32_t error);

struct AppState;

void WriteIoToController(HWND window, const AppState& state);
void ResetControllerToDefaults(HWND window, const AppState& state);
