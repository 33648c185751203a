#include "app/assignment_editor.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "app/summary_view.h"
#include "app/system_libraries.h"
#include "app/window_dpi.h"
#include "controller/controller_io.h"
#include "ioconfig/channel_offer.h"
#include "res/resource.h"

namespace {

IoEditorState editorState{};

constexpr int AxisPairPages = 4;

AxisBox BoxAt(int index) { return AxisBoxAt(index); }
constexpr int BoxCount = AxisBoxCount;

bool FindBox(int id, AxisBox& found) {
    for (int i = 0; i < BoxCount; ++i) {
        if (BoxAt(i).id != id) continue;
        found = BoxAt(i);
        return true;
    }
    return false;
}

HWND SheetOf(HWND page) { return GetParent(page); }

int PageIndex(HWND page) {
    return static_cast<int>(SendMessageA(SheetOf(page), PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

// Each entry carries its channel as item data, "--" 0: what a box shows and
// stores is that number, never a reading of its text.
void InsertEntry(HWND box, LPARAM index, const std::string& text, int channel) {
    const LRESULT at = SendMessageA(box, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    if (at >= 0) SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(at), channel);
}

void AddEntry(HWND page, int id, const std::string& text, int channel) {
    InsertEntry(GetDlgItem(page, id), -1, text, channel);
}

int EntryChannel(HWND box, LRESULT index) {
    return static_cast<int>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void BuildLists(HWND page) {
    for (int i = 0; i < BoxCount; ++i) {
        AddEntry(page, BoxAt(i).id, "--", NoChannel);
        SendDlgItemMessageA(page, BoxAt(i).id, CB_SETCURSEL, 0, 0);
    }
    for (size_t index = 0; index < editorState.channelFlags.size(); ++index) {
        const uint32_t flags = editorState.channelFlags[index];
        const std::string text = std::to_string(index + 1);
        // Inputs first to the eight input boxes, then outputs to the four
        // output boxes, each column in turn.
        for (SignalDirection direction : {SignalDirection::Input, SignalDirection::Output}) {
            if (!OffersChannel(direction, flags)) continue;
            for (int i = 0; i < BoxCount; ++i)
                if (BoxAt(i).row.direction == direction) AddEntry(page, BoxAt(i).id, text, static_cast<int>(index + 1));
        }
    }
}

LRESULT OnInitDialog(HWND page) {
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    BuildLists(page);
    PostMessageA(page, FillAxisPairPage, 0, 0);
    SetCursor(previous);
    return TRUE;
}


// A channel the list does not offer gets an entry of its own, in channel
// order, so that the box shows what the image holds and OK keeps it.
void SelectChannel(HWND box, int channel) {
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    LRESULT index = 0;
    for (; index < count && EntryChannel(box, index) < channel; ++index) {}
    if (index == count || EntryChannel(box, index) != channel)
        InsertEntry(box, index, std::to_string(channel) + " (not offered)", channel);
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// A list is as wide as its widest entry in the box's own font, an average
// character either side, its frame and its scroll bar; never narrower than
// the box.
void FitDroppedWidth(HWND box) {
    HDC dc = GetDC(box);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    int widest = 0;
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        char text[32] = {};  // room for the longest entry, "255 (not offered)"
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        widest = std::max(widest, TextWidth(dc, text));
    }
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    const int dpi = WindowDpi(box);
    const int frame = 2 * SystemMetricAtDpi(SM_CXEDGE, dpi) + SystemMetricAtDpi(SM_CXVSCROLL, dpi);
    SendMessageA(box, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + 2 * metrics.tmAveCharWidth + frame), 0);
}

// The boxes of an axis past the image's count are shown but closed to
// edits: the window would neither show, save nor write what they held.
LRESULT OnFill(HWND page) {
    const int pageIndex = PageIndex(page);
    SetAxisPairTitles(page, pageIndex);
    const IoConfigImage& image = editorState.editedState->image;
    for (int i = 0; i < BoxCount; ++i) {
        const AxisBox box = BoxAt(i);
        const int axis = AxisOf(box, pageIndex);
        HWND control = GetDlgItem(page, box.id);
        SelectChannel(control, GetChannel(image, axis, box.row.signal));
        FitDroppedWidth(control);
        EnableWindow(control, axis <= AxisRecordsInUse(image));
    }
    return TRUE;
}

LRESULT OnCommand(HWND page, WPARAM wParam, LPARAM lParam) {
    const int pageIndex = PageIndex(page);
    if (HIWORD(wParam) != CBN_SELCHANGE) return TRUE;
    HWND list = reinterpret_cast<HWND>(lParam);
    const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    AxisBox box{};
    if (selected != CB_ERR && FindBox(LOWORD(wParam), box))
        SetChannel(editorState.editedState->image, AxisOf(box, pageIndex), box.row.signal,
                   static_cast<uint8_t>(EntryChannel(list, selected) & 0xFF));
    SendMessageA(SheetOf(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
    return TRUE;
}

// Cancel, the close box and Escape take the image back to what the sheet
// opened with, or to the last Apply; every page is told, so each may.
LRESULT OnNotify(HWND page, const NMHDR& notice) {
    if (notice.code == static_cast<UINT>(PSN_RESET)) {
        editorState.editedState->image = editorState.applied;
        return FALSE;
    }
    if (notice.code == static_cast<UINT>(PSN_APPLY)) editorState.applied = editorState.editedState->image;
    if (notice.code != static_cast<UINT>(PSN_SETACTIVE) && notice.code != static_cast<UINT>(PSN_APPLY))
        return FALSE;
    // Activation is accepted and Apply reports no error: the image already
    // holds every change.
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    return TRUE;
}

}  // namespace

AxisBox AxisBoxAt(int index) {
    const bool servo = index < BoxesPerColumn;
    const int row = index % BoxesPerColumn;
    return {(servo ? IDC_SERVO_COARSE_HOME : IDC_STEPPER_COARSE_HOME) + row, servo,
            (servo ? ServoSignals : StepperSignals)[static_cast<size_t>(row)]};
}

int AxisOf(const AxisBox& box, int pageIndex) { return pageIndex + 1 + (box.servoColumn ? 0 : StepperAxisOffset); }

std::string AxisGroupTitle(int pageIndex, bool servoColumn) {
    return servoColumn ? "Axis " + std::to_string(pageIndex + 1) + " (Servo)"
                       : "Axis " + std::to_string(pageIndex + 1 + StepperAxisOffset) + " (Stepper)";
}

void SetAxisPairTitles(HWND page, int pageIndex) {
    SetDlgItemTextA(page, IDC_SERVO_GROUP, AxisGroupTitle(pageIndex, true).c_str());
    SetDlgItemTextA(page, IDC_STEPPER_GROUP, AxisGroupTitle(pageIndex, false).c_str());
    char text[64];
    std::snprintf(text, sizeof text, "Axes %d and %d", pageIndex + 1, pageIndex + 1 + StepperAxisOffset);
    SetWindowTextA(page, text);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(GetParent(page), PSM_GETTABCONTROL, 0, 0));
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    SendMessageA(tabs, TCM_SETITEMA, static_cast<WPARAM>(pageIndex), reinterpret_cast<LPARAM>(&tab));
}

INT_PTR CALLBACK AxisPairPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(page);
        case FillAxisPairPage: return OnFill(page);
        case WM_COMMAND: return OnCommand(page, wParam, lParam);
        case WM_NOTIFY: return OnNotify(page, *reinterpret_cast<const NMHDR*>(lParam));
        default: return FALSE;
    }
}

int EditIoAssignments(HWND owner, AppState& state) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    PROPSHEETPAGEA pages[AxisPairPages] = {};
    for (PROPSHEETPAGEA& page : pages) {
        page.dwSize = sizeof page;
        page.dwFlags = PSP_PREMATURE;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEA(IDD_AXIS_PAIR_PAGE);
        page.pfnDlgProc = AxisPairPage;
        page.lParam = 0;
    }
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE;
    sheet.hwndParent = owner;
    sheet.hInstance = instance;
    sheet.pszCaption = "I/O Configuration";
    sheet.nPages = AxisPairPages;
    sheet.nStartPage = 0;
    sheet.ppsp = pages;

    // Held open while the sheet is shown.
    UniqueController controller = OpenController(SelectedController(state));
    if (!controller.IsOpen()) {
        ShowMessageBox(owner, ControllerAccessFailureText, MB_OK | MB_ICONWARNING, IoConfigErrorCaption);
        return 0;
    }
    const std::optional<int32_t> channelCount = QueryChannelCount(controller.Get());
    if (!channelCount) {
        controller.Reset();
        ShowMessageBox(owner, ChannelConfigurationFailureText(SelectedController(state)), MB_OK | MB_ICONWARNING,
                       IoConfigErrorCaption);
        return 0;
    }
    ChannelConfiguration channels = ReadChannelFlags(controller.Get(), *channelCount);
    editorState = {controller.Get(), &state, *channelCount, std::move(channels.flags), state.image};
    if (const int unread = static_cast<int>(channels.unreadChannels.size()))
        ShowMessageBox(owner, UnreadChannelsText(SelectedController(state), unread), MB_OK | MB_ICONWARNING,
                       IoConfigErrorCaption);
    const int result = static_cast<int>(RunPropertySheet(sheet));
    editorState = {};
    return result;
}

void ReconfigureIoAssignments(HWND window, AppState& state) {
    const IoConfigImage before = state.image;
    EditIoAssignments(window, state);
    if (state.image.bytes != before.bytes) state.held.unsaved = true;
    ShowHeldImage(window, state);
}
