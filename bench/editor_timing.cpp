#include "bench/editor_timing.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "bench/bench_folder.h"
#include "bench/clock.h"
#include "bench/failure.h"
#include "bench/repetitions.h"
#include "app/assignment_editor.h"
#include "res/resource.h"
#include "tests/support/editor_sheet.h"
#include "tests/support/modal_answerer.h"

namespace {

constexpr int PageCount = EditorPageCount;
constexpr int BoxCount = AxisBoxCount;

struct BoardCase {
    const char* measurement;
    const char* description;
};

// The default board has 48 channels.
const BoardCase BoardCases[] = {
    {"Editor, 48 channels: to pages filled", ""},
    {"Editor, 255 channels: to pages filled", "channels = 255\nflags 1-255 = 0x103\n"},
};

AxisBox BoxAt(int index) { return AxisBoxAt(index); }

// What a filled page shows: each box's entries and the index of the one shown.
struct BoxContent {
    std::vector<std::string> entries;
    int shown = -1;
    bool operator==(const BoxContent&) const = default;
};
using SheetContent = std::array<std::array<BoxContent, BoxCount>, PageCount>;

// The floor's pages: the entries each box gets and the text its selection
// is looked up by, the channel stored in the image as Quillet looks it up.
struct PagePlan {
    std::array<std::vector<std::string>, BoxCount> entries;
    std::array<std::string, BoxCount> selectionTexts;
};
using FloorPlan = std::array<PagePlan, PageCount>;

// Valid while the floor's sheet is open, as Quillet's editor state is.
const FloorPlan* floorPlan = nullptr;

BoxContent ReadBox(HWND box) {
    BoxContent content;
    content.entries = EntriesOf(box);
    content.shown = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
    return content;
}

SheetContent ReadSheet(HWND sheet) {
    SheetContent content;
    for (int k = 0; k < PageCount; ++k)
        for (int i = 0; i < BoxCount; ++i) content[k][i] = ReadBox(BoxOf(sheet, k, BoxAt(i).id));
    return content;
}

// A page is filled once its fill message has set its titles.
bool AllPagesFilled(HWND sheet) {
    for (int k = 0; k < PageCount; ++k) {
        HWND page = PageOf(sheet, k);
        if (page == nullptr || WindowText(GetDlgItem(page, IDC_SERVO_GROUP)) != AxisGroupTitle(k, true))
            return false;
    }
    return true;
}

// Calls openSheet, which runs a modal sheet captioned "I/O Configuration",
// and times it from the call to all pages filled; then cancels the sheet.
double TimeToPagesFilled(const std::function<void()>& openSheet, SheetContent* content = nullptr) {
    double start = 0;
    double filled = 0;
    const EditorSheetRun run = WorkInEditorSheet(
        [&] {
            start = NowMilliseconds();
            openSheet();
        },
        [&](HWND sheet) {
            filled = NowMilliseconds();
            if (!AllPagesFilled(sheet)) FailBench("the editor's pages were not all filled");
            if (content != nullptr) *content = ReadSheet(sheet);
        },
        PSBTN_CANCEL, [](HWND dialog) { FailBench("unexpected dialog: " + WindowText(dialog)); });
    if (run.sheets != 1) FailBench("no I/O Configuration sheet appeared");
    return filled - start;
}

void AddPlannedEntries(HWND page, const PagePlan& plan) {
    size_t longest = 0;
    for (const std::vector<std::string>& entries : plan.entries) longest = std::max(longest, entries.size());
    // Entry by entry across the boxes, the order Quillet adds them in.
    for (size_t entry = 0; entry < longest; ++entry) {
        for (int i = 0; i < BoxCount; ++i) {
            if (entry >= plan.entries[i].size()) continue;
            SendDlgItemMessageA(page, BoxAt(i).id, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(plan.entries[i][entry].c_str()));
            if (entry == 0) SendDlgItemMessageA(page, BoxAt(i).id, CB_SETCURSEL, 0, 0);
        }
    }
}

void FillFloorPage(HWND page, int pageIndex) {
    SetAxisPairTitles(page, pageIndex);
    const PagePlan& plan = (*floorPlan)[static_cast<size_t>(pageIndex)];
    for (int i = 0; i < BoxCount; ++i)
        SendDlgItemMessageA(page, BoxAt(i).id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(plan.selectionTexts[i].c_str()));
}

INT_PTR CALLBACK FloorPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto index = static_cast<LONG>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(page, DWLP_USER, index);
        AddPlannedEntries(page, (*floorPlan)[static_cast<size_t>(index)]);
        PostMessageA(page, FillAxisPairPage, 0, 0);
        return TRUE;
    }
    if (message == FillAxisPairPage) {
        FillFloorPage(page, static_cast<int>(GetWindowLongPtrA(page, DWLP_USER)));
        return TRUE;
    }
    return FALSE;
}

void RunFloorSheet(HWND owner, const FloorPlan& plan) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    PROPSHEETPAGEA pages[PageCount] = {};
    for (int k = 0; k < PageCount; ++k) {
        pages[k].dwSize = sizeof pages[k];
        pages[k].dwFlags = PSP_PREMATURE;
        pages[k].hInstance = instance;
        pages[k].pszTemplate = MAKEINTRESOURCEA(IDD_AXIS_PAIR_PAGE);
        pages[k].pfnDlgProc = FloorPage;
        pages[k].lParam = k;
    }
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE;
    sheet.hwndParent = owner;
    sheet.hInstance = instance;
    sheet.pszCaption = EditorSheetCaption;
    sheet.nPages = PageCount;
    sheet.ppsp = pages;
    floorPlan = &plan;
    PropertySheetA(&sheet);
    floorPlan = nullptr;
}

void RunQuilletEditor(HWND quilletWindow) {
    SendMessageA(quilletWindow, WM_COMMAND, MAKEWPARAM(IDM_RECONFIGURE_IO, 0), 0);
}

FloorPlan PlanFloor(const SheetContent& quilletShows, const IoConfigImage& image) {
    FloorPlan plan;
    for (int k = 0; k < PageCount; ++k) {
        for (int i = 0; i < BoxCount; ++i) {
            const AxisBox box = BoxAt(i);
            plan[k].entries[i] = quilletShows[k][i].entries;
            plan[k].selectionTexts[i] = std::to_string(GetChannel(image, AxisOf(box, k), box.row.signal));
        }
    }
    return plan;
}

ResultRow MeasureBoard(HWND quilletWindow, const BoardCase& board, const BenchFolder& folder,
                       int repetitions) {
    WriteTextFileOrFail(folder.File("board.txt"), board.description);
    SheetContent quilletShows;
    TimeToPagesFilled([&] { RunQuilletEditor(quilletWindow); }, &quilletShows);
    const FloorPlan plan = PlanFloor(quilletShows, GetAppState(quilletWindow)->image);
    SheetContent floorShows;
    TimeToPagesFilled([&] { RunFloorSheet(quilletWindow, plan); }, &floorShows);
    if (floorShows != quilletShows)
        FailBench(std::string(board.measurement) + ": the floor shows other entries");

    ResultRow row{board.measurement, "ms", {}, {}, 1.20};
    RunInterleaved(
        repetitions,
        [&](bool counted) {
            const double time = TimeToPagesFilled([&] { RunQuilletEditor(quilletWindow); });
            if (counted) row.quillet.push_back(time);
        },
        [&](bool counted) {
            const double time = TimeToPagesFilled([&] { RunFloorSheet(quilletWindow, plan); });
            if (counted) row.floor.push_back(time);
        });
    return row;
}

}  // namespace

std::vector<ResultRow> MeasureEditor(HWND quilletWindow, int repetitions) {
    const BenchFolder folder("board");
    SetEnvironmentVariableA("KXSIM_BOARD", folder.File("board.txt").c_str());
    // The boxes show the default board's assignments.
    WriteTextFileOrFail(folder.File("board.txt"), "");
    SendMessageA(quilletWindow, WM_COMMAND, MAKEWPARAM(IDM_READ_IO, 0), 0);
    if (!GetAppState(quilletWindow)->imageValid) FailBench("Quillet could not read the simulated board");

    std::vector<ResultRow> rows;
    for (const BoardCase& board : BoardCases)
        rows.push_back(MeasureBoard(quilletWindow, board, folder, repetitions));
    SetEnvironmentVariableA("KXSIM_BOARD", nullptr);
    return rows;
}
