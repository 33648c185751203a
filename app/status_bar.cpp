#include "app/status_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "app/app_state.h"
#include "app/messages.h"
#include "app/system_libraries.h"
#include "app/window_dpi.h"
#include "ioconfig/summary_layout.h"
#include "res/resource.h"

namespace {

// Wide enough for "Controller -32768". No size grip: the window's own scroll
// bar, not the bar, takes the corner.
constexpr int TargetPartWidth = 130;

}  // namespace

bool CreateStatusBar(HWND window) {
    if (!InitCommonControlsOnDemand()) return false;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS, 0, 0,
                               0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), instance,
                               nullptr);
    if (bar == nullptr) return false;
    FitStatusBar(window);
    return true;
}

HWND StatusBarOf(HWND window) { return GetDlgItem(window, IDC_STATUS_BAR); }

// A line longer than its part is cut there; its tip shows the whole of it.
void ShowStatusBar(HWND window, const AppState& state) {
    HWND bar = StatusBarOf(window);
    if (bar == nullptr) return;
    SendMessageA(bar, SB_SETTEXTA, TargetPart, reinterpret_cast<LPARAM>(TargetText(state).c_str()));
    SendMessageA(bar, SB_SETTEXTA, StatusLinePart, reinterpret_cast<LPARAM>(state.held.statusLine.c_str()));
    SendMessageA(bar, SB_SETTIPTEXTA, StatusLinePart, reinterpret_cast<LPARAM>(state.held.statusLine.c_str()));
}

void FitStatusBar(HWND window) {
    HWND bar = StatusBarOf(window);
    if (bar == nullptr) return;
    const int parts[] = {ScaledToDpi(TargetPartWidth, WindowDpi(window)), -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageA(bar, WM_SIZE, 0, 0);
}

RECT SummaryArea(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    RECT bar{};
    if (HWND statusBar = StatusBarOf(window); statusBar != nullptr && GetWindowRect(statusBar, &bar))
        area.bottom = std::max(area.top, area.bottom - (bar.bottom - bar.top));
    return area;
}
