// Menu commands that bring the assignments to the controller through its
// driver: store or remove the axis records, then restart the controller.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controller/target_check.h"

// The questions before the commands, naming the controller they go to; a
// write adds where the window's assignments were read from when that was
// another controller.
std::string WriteConfirmationText(uint16_t controllerNumber, std::optional<uint16_t> readFrom = std::nullopt);
std::string ResetConfirmationText(uint16_t controllerNumber);

// Asked before a write whose image has errors; at most ten are listed.
std::string ConflictQuestionText(uint16_t controllerNumber, const std::vector<std::string>& errors);
// Asked before a write that could not be checked against its controller.
std::string UncheckedTargetQuestionText(uint16_t controllerNumber, TargetCheckResult result);
// Shown instead of the question when the window holds no axes.
std::string NothingToWriteText(uint16_t controllerNumber);

struct AppState;

// Each leaves a line in the status bar on what it did.
void WriteIoToController(HWND window, AppState& state);
void ResetControllerToDefaults(HWND window, AppState& state);
