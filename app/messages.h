// The window's sentences, each written once: its boxes, questions and
// status lines. The engine's, which the window shows as they are, are in
// controller/messages.h, the pure code's in ioconfig/messages.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controller/target_check.h"
#include "ioconfig/controller_number.h"

struct AppState;

// The window

// "Controller 3", as the status bar names the selected controller.
std::string TargetText(const AppState& state);
// "The window holds no axes: there is WHAT.", when a command needs axes.
std::string NoAxesText(const std::string& what);

// Start-up

extern const std::string LibrarySearchFailureText;
// A common library loaded on first use that could not be.
std::string SystemLibraryFailureText(const char* library);

// Files

// Shown when a load is refused, when a save fails, and when a file dialog
// fails rather than being cancelled.
std::string DamagedValueText(const std::string& path, const std::string& key);
std::string NoRecordsText(const std::string& path, const std::string& key);
std::string FolderNotFileText(const std::string& path);
std::string UnreadableFileText(const std::string& path, uint32_t error);
std::string SaveFailureText(const std::string& path, uint32_t error, const std::string& differingKey = "");
std::string FileDialogFailureText(uint32_t dialogError);
// Shown instead of the save dialog when the window holds no axes.
std::string NothingToSaveText();
constexpr const char* UnsavedChangesQuestion =
    "The I/O assignments have changes that are neither saved nor written to a controller.\nSave them first?";
std::string ClipboardFailureText(uint32_t error);
// Export I/O Map: its failure, and the status line when it is saved.
std::string MapSaveFailureText(const std::string& path, uint32_t error);
std::string MapSavedText(const std::string& path);

// Read I/O and Controller Info

// Shown when the controller opened but its I/O configuration could not be
// read, and when Read or Controller Info cannot open it.
std::string ReadFailureText(ControllerNumber controllerNumber);
std::string OpenFailureText(ControllerNumber controllerNumber);

// Check Assignments and the comparisons

// The check's last line: "Checked against controller 3.", or why not, as
// "Controller 3 could not be opened: channels not checked.".
std::string CheckedAgainstText(ControllerNumber controllerNumber, TargetCheckResult result);
// The differences from the other side, listed as "side -> window", or that
// there are none.
std::string ComparisonText(const std::string& other, const char* side, const std::vector<std::string>& differences);
// Stored values that are no records cannot be compared.
std::string UncomparableText(ControllerNumber controllerNumber, const std::string& refusedValue);

// Write and Reset

// The questions before the commands, naming the controller they go to; a
// write adds where the window's assignments were read from when that was
// another controller.
std::string WriteConfirmationText(ControllerNumber controllerNumber,
                                  std::optional<ControllerNumber> readFrom = std::nullopt);
std::string ResetConfirmationText(ControllerNumber controllerNumber);
// Asked before a write whose image has errors; at most ten are listed.
std::string ConflictQuestionText(ControllerNumber controllerNumber, const std::vector<std::string>& errors);
// Asked before a write that could not be checked against its controller.
std::string UncheckedTargetQuestionText(ControllerNumber controllerNumber, TargetCheckResult result);
// Shown instead of the question when the window holds no axes.
std::string NothingToWriteText(ControllerNumber controllerNumber);
// The status line while it runs: "Writing to controller 3: waiting for it
// to restart (12 s)".
std::string DriverProgressText(bool writing, ControllerNumber controllerNumber, unsigned seconds, bool waiting,
                               bool closing);

// The editor

// The caption of the editor's boxes.
constexpr char IoConfigErrorCaption[] = "IO Config Error";
// Shown instead of the sheet when the controller cannot be opened. This
// exact text is the one the product has always shown for that failure:
// keep it as it is, though it is worded unlike the window's other
// sentences.
constexpr const char* ControllerAccessFailureText = "Unable to access motion controller";
// Shown instead of the sheet when the controller cannot say how many
// channels it has, and before it when some channels could not be read.
std::string ChannelConfigurationFailureText(ControllerNumber controllerNumber);
std::string UnreadChannelsText(ControllerNumber controllerNumber, int unread);
