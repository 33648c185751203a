// The I/O assignment editor: a property sheet of four pages, each editing a
// servo axis (1 to 4) on the left and a stepper axis (5 to 8) on the right.
// Every choice goes into the AppState's image at once; Cancel takes them
// back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ioconfig/io_config_image.h"

struct AppState;

// Valid only while the sheet is open; the pages find it here. The channels'
// flags are read once, before the sheet: channel n's are channelFlags[n - 1].
struct IoEditorState {
    int16_t controllerHandle;
    AppState* editedState;
    int32_t channelCount;
    std::vector<uint32_t> channelFlags;
    IoConfigImage applied;  // what Cancel goes back to
};

// A page's layout: twelve boxes, the servo column's six then the stepper
// column's; page k edits axes k + 1 and k + 1 + StepperAxisOffset.
constexpr int StepperAxisOffset = 4;
constexpr int BoxesPerColumn = 6;
constexpr int AxisBoxCount = 2 * BoxesPerColumn;

// One of the twelve boxes of a page: the signal it edits and its column.
struct AxisBox {
    int id;
    bool servoColumn;
    SignalRow row;
};
AxisBox AxisBoxAt(int index);
int AxisOf(const AxisBox& box, int pageIndex);

// "Axis 1 (Servo)", "Axis 5 (Stepper)".
std::string AxisGroupTitle(int pageIndex, bool servoColumn);
// The page's group titles, its own ("Axes 1 and 5") and its tab's.
void SetAxisPairTitles(HWND page, int pageIndex);

// The private message a page posts to itself to set its titles and
// selections once the sheet has created all its pages.
constexpr UINT FillAxisPairPage = WM_APP + 1;

// Returns the sheet's result, or 0 when the controller could not be opened
// or its channel configuration could not be read.
int EditIoAssignments(HWND owner, AppState& state);
INT_PTR CALLBACK AxisPairPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Menu command "Reconfigure I/O Assignments...": runs the editor, then
// repaints the summary whatever it returned; changes it kept are unsaved.
void ReconfigureIoAssignments(HWND window, AppState& state);
