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
