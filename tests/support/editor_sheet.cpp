#include "tests/support/editor_sheet.h"

#include <commctrl.h>

#include "tests/support/message_pump.h"
#include "tests/support/modal_answerer.h"

HWND PageOf(HWND sheet, int page) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(page), 0));
}

HWND BoxOf(HWND sheet, int page, int id) { return GetDlgItem(PageOf(sheet, page), id); }

namespace {

std::string EntryText(HWND box, int index) {
    char text[32] = {};
    SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

std::vector<std::string> EntriesOf(HWND box) {
    std::vector<std::string> entries;
    const int count = EntryCount(box);
    for (int i = 0; i < count; ++i) entries.push_back(EntryText(box, i));
    return entries;
}

int EntryCount(HWND box) { return static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0)); }

std::string ShownEntry(HWND box) {
    const int index = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
    return index < 0 ? "(none)" : EntryText(box, index);
}

std::vector<std::string> CutTexts(HWND sheet) {
    std::vector<std::string> cut;
    for (int page = 0; page < EditorPageCount; ++page)
        for (HWND control = GetWindow(PageOf(sheet, page), GW_CHILD); control;
             control = GetWindow(control, GW_HWNDNEXT)) {
            const bool box = EntryCount(control) > 0;  // only a box has entries
            RECT room{};
            GetClientRect(control, &room);
            if (box) room.right = static_cast<LONG>(SendMessageA(control, CB_GETDROPPEDWIDTH, 0, 0));
            HDC dc = GetDC(control);  // a common context: its font goes back with it
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
            for (const std::string& text : box ? EntriesOf(control) : std::vector{WindowText(control)}) {
                SIZE size{};
                GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
                if (size.cx > room.right)
                    cut.push_back(text + ": " + std::to_string(size.cx) + " > " + std::to_string(room.right));
            }
            ReleaseDC(control, dc);
        }
    return cut;
}

void BringUpEveryPage(HWND sheet) {
    for (int page = 1; page < EditorPageCount; ++page)
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    PumpMessages();
}

EditorSheetRun WorkInEditorSheet(const std::function<void()>& open, const std::function<void(HWND sheet)>& work,
                                 int button, const std::function<void(HWND dialog)>& otherDialog) {
    EditorSheetRun run;
    ModalAnswerer answerer([&](HWND dialog) {
        if (WindowText(dialog) != EditorSheetCaption) {
            if (otherDialog) {
                otherDialog(dialog);
            } else {
                PressButton(dialog, IDCANCEL);
            }
            return;
        }
        ++run.sheets;
        BringUpEveryPage(dialog);
        work(dialog);
        SendMessageA(dialog, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    });
    open();
    run.dialogs = answerer.DialogsAnswered();
    return run;
}
