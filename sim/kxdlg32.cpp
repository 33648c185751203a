// Our kxdlg32.dll: the three dialogs Quillet shows, as small real dialogs so
// that a person trying Quillet without a board sees something sensible.
#include <windows.h>

#include <type_traits>

#include "controller/library_interface.h"
#include "sim/board.h"
#include "sim/board_description.h"
#include "sim/call_log.h"
#include "sim/kxdlg32_resource.h"
#include "sim/sim_status.h"
#include "sim/text_format.h"

namespace {

// Where the dialog templates are: this DLL, not the program that loaded it.
HINSTANCE dialogLibrary = nullptr;

constexpr int SelectableControllers = 16;
constexpr int16_t NoControllerChosen = -1;

struct ControllerSummary {
    uint32_t handle;
    int32_t channelCount;
    uint16_t axisCount;
};

struct ControllerChoice {
    uint32_t current;
    int16_t chosen = NoControllerChosen;
};

// Our dialogs end on OK or Cancel, and return which.
INT_PTR EndOnOkOrCancel(HWND dialog, UINT message, WPARAM wParam) {
    WORD command = LOWORD(wParam);
    if (message != WM_COMMAND || (command != IDOK && command != IDCANCEL)) return FALSE;
    EndDialog(dialog, command);
    return TRUE;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const char* title = reinterpret_cast<const char*>(lParam);
        if (title) SetWindowTextA(dialog, title);
        return TRUE;
    }
    return EndOnOkOrCancel(dialog, message, wParam);
}

void ShowControllerSummary(HWND dialog, const ControllerSummary& summary) {
    SetDlgItemTextA(dialog, IDC_KXSIM_HANDLE, FormatText("%u", summary.handle).c_str());
    SetDlgItemTextA(dialog, IDC_KXSIM_CHANNEL_COUNT,
                    FormatText("%d", summary.channelCount).c_str());
    SetDlgItemTextA(dialog, IDC_KXSIM_AXIS_COUNT, FormatText("%u", summary.axisCount).c_str());
}

INT_PTR CALLBACK ControllerInfoDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ShowControllerSummary(dialog, *reinterpret_cast<const ControllerSummary*>(lParam));
        return TRUE;
    }
    return EndOnOkOrCancel(dialog, message, wParam);
}

// Items are in controller order, so an item's index is its controller number.
void FillControllerList(HWND list, uint32_t current) {
    for (int controller = 0; controller < SelectableControllers; ++controller) {
        std::string item = FormatText("%d", controller);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (current < SelectableControllers) SendMessageA(list, CB_SETCURSEL, current, 0);
}

// OK without a choice counts as Cancel.
int16_t ChosenController(HWND dialog) {
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_KXSIM_CONTROLLER_LIST, CB_GETCURSEL, 0, 0);
    return selected >= 0 ? static_cast<int16_t>(selected) : NoControllerChosen;
}

INT_PTR CALLBACK SelectControllerDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* choice = reinterpret_cast<ControllerChoice*>(lParam);
        FillControllerList(GetDlgItem(dialog, IDC_KXSIM_CONTROLLER_LIST), choice->current);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        auto* choice = reinterpret_cast<ControllerChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
        choice->chosen = ChosenController(dialog);
    }
    return EndOnOkOrCancel(dialog, message, wParam);
}

// DialogBoxParam gives 0 for a bad owner and -1 for other failures; our
// dialogs end with IDOK or IDCANCEL, both above 0.
bool ShowDialog(int dialogId, HWND parent, DLGPROC procedure, LPARAM parameter) {
    INT_PTR result =
        DialogBoxParamA(dialogLibrary, MAKEINTRESOURCEA(dialogId), parent, procedure, parameter);
    return result > 0;
}

}  // namespace

extern "C" int16_t WINAPI SimKXDLGAboutBox(HWND parent, const char* title, uint32_t reserved) {
    AppendToCallLog(FormatText("KXDLG_AboutBox(%s, %s, %u)", FormatAddress(parent).c_str(),
                               FormatQuotedOrNull(title).c_str(), reserved));
    bool shown =
        ShowDialog(IDD_KXSIM_ABOUT, parent, AboutDialogProc, reinterpret_cast<LPARAM>(title));
    return shown ? SimOk : SimErrorDialogFailed;
}

// The handles live in kxapi32.dll, out of reach; the dialog shows the board
// as described now, which is what KXOpen would open.
extern "C" int16_t WINAPI SimKXDLGControllerInfo(HWND parent, uint32_t handle, uint32_t reserved1,
                                                 uint32_t reserved2) {
    AppendToCallLog(FormatText("KXDLG_ControllerInfo(%s, %u, %u, %u)",
                               FormatAddress(parent).c_str(), handle, reserved1, reserved2));
    Board board = LoadBoardDescription();
    ControllerSummary summary{handle, board.channelCount, AxisCountOf(board.area)};
    bool shown = ShowDialog(IDD_KXSIM_CONTROLLER_INFO, parent, ControllerInfoDialogProc,
                            reinterpret_cast<LPARAM>(&summary));
    return shown ? SimOk : SimErrorDialogFailed;
}

extern "C" int16_t WINAPI SimKXDLGSelectController(HWND parent, uint32_t controller,
                                                   uint32_t reserved1, uint32_t reserved2) {
    Board board = LoadBoardDescription();
    int16_t result = NoControllerChosen;
    if (board.selectResult) {
        result = *board.selectResult;
    } else {
        ControllerChoice choice{controller};
        ShowDialog(IDD_KXSIM_SELECT_CONTROLLER, parent, SelectControllerDialogProc,
                   reinterpret_cast<LPARAM>(&choice));
        result = choice.chosen;
    }
    AppendToCallLog(FormatText("KXDLG_SelectController(%s, %u, %u, %u) = %d",
                               FormatAddress(parent).c_str(), controller, reserved1, reserved2,
                               result));
    return result;
}

// The exports must keep the signatures Quillet calls them with.
static_assert(std::is_same_v<decltype(&SimKXDLGAboutBox), KXDLG_AboutBoxProc>);
static_assert(std::is_same_v<decltype(&SimKXDLGControllerInfo), KXDLG_ControllerInfoProc>);
static_assert(std::is_same_v<decltype(&SimKXDLGSelectController), KXDLG_SelectControllerProc>);

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        dialogLibrary = instance;
        DisableThreadLibraryCalls(instance);
        AppendToCallLog("load kxdlg32.dll");
    }
    return TRUE;
}
