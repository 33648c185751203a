// Quillet's editor, the property sheet "I/O Configuration", worked from
// inside its own modal loop: tests read and change its boxes there, the
// benchmarks time it and its floor, a sheet of the same pages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

constexpr const char* EditorSheetCaption = "I/O Configuration";
constexpr int EditorPageCount = 4;

HWND PageOf(HWND sheet, int page);
HWND BoxOf(HWND sheet, int page, int id);

// A box's entries in list order, how many there are, and the one it shows,
// "(none)" when none is selected.
std::vector<std::string> EntriesOf(HWND box);
int EntryCount(HWND box);
std::string ShownEntry(HWND box);

// The texts of the pages wider than their room, "text: width > room", each
// in its control's own font: a label's or a group's against its client
// width, a box's entries against its dropped list.
std::vector<std::string> CutTexts(HWND sheet);

// Wine creates a page when it is first shown, even with PSP_PREMATURE: each
// page after the first, which the sheet shows at once, is brought up once,
// then the fill messages the pages posted run.
void BringUpEveryPage(HWND sheet);

struct EditorSheetRun {
    int dialogs = 0;  // every dialog answered, the sheets included
    int sheets = 0;   // sheets captioned "I/O Configuration"
};

// Calls open, which runs a modal sheet. Each sheet captioned "I/O
// Configuration" has every page brought up, is handed to work, then is closed
// with `button` (PSBTN_OK, PSBTN_CANCEL ...). Any other dialog goes to
// otherDialog, or without one is cancelled, so that nothing waits for a user.
EditorSheetRun WorkInEditorSheet(const std::function<void()>& open, const std::function<void(HWND sheet)>& work,
                                 int button, const std::function<void(HWND dialog)>& otherDialog = nullptr);
