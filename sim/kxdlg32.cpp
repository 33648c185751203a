// Our kxdlg32.dll: the three dialogs Quillet shows, as small real dialogs so
// that a person trying Quillet without a board sees something sensible.
#include <windows.h>

#include <type_traits>

#include "controller/library_interface.h"
#include "sim/board.h"
#include "sim/call_log.h"
#include "sim/kxdlg32_resource.h"
#include "sim/open_board_summaries.h"
#include "sim/sim_status.h"
#include "sim/text_format.h"

namespace {

// Where the dialog templates are: this DLL, not the program that loaded it.
HINSTANCE dialogLibrary = nullptr;

constexpr int SelectableControllers = 16;
constexpr int16_t NoControllerChosen = -1;

struct ControllerChoice {
    uint32_t current;
    int16_t chosen = NoControllerChosen;
};

bool closesDialog(WPARAM command)
{
    return LOWORD(command) == IDOK || LOWORD(command) == IDCANCEL;
}

INT_PTR CALLBACK aboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        if (const char* title = reinterpret_cast<const char*>(lParam)) {
            SetWindowTextA(dialog, title);
        }
        return TRUE;
    }
    if (message == WM_COMMAND && closesDialog(wParam)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void showControllerSummary(HWND dialog, const OpenBoardSummary& board)
{
    SetDlgItemTextA(dialog, IDC_KXSIM_CONTROLLER_NUMBER, formatText("%d", board.controller).c_str());
    SetDlgItemTextA(dialog, IDC_KXSIM_CHANNEL_COUNT, formatText("%d", board.channelCount).c_str());
    SetDlgItemTextA(dialog, IDC_KXSIM_AXIS_COUNT, formatText("%u", board.axisCount).c_str());
}

INT_PTR CALLBACK controllerInfoDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        showControllerSummary(dialog, *reinterpret_cast<const OpenBoardSummary*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && closesDialog(wParam)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void fillControllerList(HWND list, uint32_t current)
{
    for (int controller = 0; controller < SelectableControllers; ++controller) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(formatText("%d", controller).c_str()));
    }
    if (current < SelectableControllers) {
        SendMessageA(list, CB_SETCURSEL, current, 0);
    }
}

INT_PTR CALLBACK selectControllerDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* choice = reinterpret_cast<ControllerChoice*>(lParam);
        fillControllerList(GetDlgItem(dialog, IDC_KXSIM_CONTROLLER_LIST), choice->current);
        return TRUE;
    }
    if (message == WM_COMMAND && closesDialog(wParam)) {
        auto* choice = reinterpret_cast<ControllerChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (LOWORD(wParam) == IDOK) {
            // Items are in controller order, so the index is the number; OK
            // without a choice counts as Cancel.
            LRESULT selected = SendDlgItemMessageA(dialog, IDC_KXSIM_CONTROLLER_LIST, CB_GETCURSEL, 0, 0);
            choice->chosen = selected >= 0 ? static_cast<int16_t>(selected) : NoControllerChosen;
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// DialogBoxParam gives 0 for a bad owner and -1 for other failures; our
// dialogs only end with IDOK or IDCANCEL.
bool showDialog(int dialogId, HWND parent, DLGPROC procedure, LPARAM parameter)
{
    INT_PTR result = DialogBoxParamA(dialogLibrary, MAKEINTRESOURCEA(dialogId), parent, procedure, parameter);
    return result > 0;
}

}  // namespace

extern "C" int16_t WINAPI SimKXDLGAboutBox(HWND parent, const char* title, uint32_t reserved)
{
    std::string shownTitle = title ? formatText("\"%s\"", title) : std::string("NULL");
    appendToCallLog(formatText("KXDLG_AboutBox(%s, %s, %u)", formatAddress(parent).c_str(), shownTitle.c_str(),
                               reserved));
    bool shown = showDialog(IDD_KXSIM_ABOUT, parent, aboutDialog, reinterpret_cast<LPARAM>(title));
    return shown ? SimOk : SimErrorDialogFailed;
}

extern "C" int16_t WINAPI SimKXDLGControllerInfo(HWND parent, uint32_t handle, uint32_t reserved1,
                                                 uint32_t reserved2)
{
    appendToCallLog(formatText("KXDLG_ControllerInfo(%s, %u, %u, %u)", formatAddress(parent).c_str(), handle,
                               reserved1, reserved2));
    // No dialog for a handle that is not open: there is nothing to show.
    std::optional<OpenBoardSummary> board = findPublishedBoard(handle);
    if (!board) {
        return SimErrorUnknownHandle;
    }
    bool shown = showDialog(IDD_KXSIM_CONTROLLER_INFO, parent, controllerInfoDialog, reinterpret_cast<LPARAM>(&*board));
    return shown ? SimOk : SimErrorDialogFailed;
}

extern "C" int16_t WINAPI SimKXDLGSelectController(HWND parent, uint32_t controller, uint32_t reserved1,
                                                   uint32_t reserved2)
{
    Board board = loadBoardDescription();
    int16_t result = NoControllerChosen;
    if (board.selectResult) {
        result = *board.selectResult;
    } else {
        ControllerChoice choice{controller};
        showDialog(IDD_KXSIM_SELECT_CONTROLLER, parent, selectControllerDialog, reinterpret_cast<LPARAM>(&choice));
        result = choice.chosen;
    }
    appendToCallLog(formatText("KXDLG_SelectController(%s, %u, %u, %u) = %d", formatAddress(parent).c_str(),
                               controller, reserved1, reserved2, result));
    return result;
}

// The exports must keep the signatures Quillet calls them with.
static_assert(std::is_same_v<decltype(&SimKXDLGAboutBox), KXDLG_AboutBoxProc>);
static_assert(std::is_same_v<decltype(&SimKXDLGControllerInfo), KXDLG_ControllerInfoProc>);
static_assert(std::is_same_v<decltype(&SimKXDLGSelectController), KXDLG_SelectControllerProc>);

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        dialogLibrary = instance;
        DisableThreadLibraryCalls(instance);
        appendToCallLog("load kxdlg32.dll");
    }
    return TRUE;
}
