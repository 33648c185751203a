#include "app/startup.h"

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "app/status_bar.h"
#include "app/summary_view.h"
#include "app/system_libraries.h"
#include "app/window_dpi.h"
#include "controller/library_binding.h"
#include "ioconfig/command_line.h"
#include "ioconfig/summary_layout.h"
#include "res/resource.h"

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 4;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUILLET));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
    windowClass.lpszMenuName = "AppMenu";
    windowClass.lpszClassName = MainWindowClassName;
    windowClass.hIconSm = nullptr;
    return RegisterClassExA(&windowClass);
}

namespace {

RECT WorkArea() {
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return work;
}

// Tall enough for the tallest summary and its count line, under the
// horizontal scroll bar that sixteen axes bring and above the status bar, at
// the window's DPI and within the work area. The frame is measured on the
// window itself, so its menu bar counts as laid out at its width.
void FitFirstSize(HWND window) {
    const int dpi = WindowDpi(window);
    RECT outer{}, client{}, bar{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    if (HWND statusBar = StatusBarOf(window)) GetWindowRect(statusBar, &bar);
    const LONG clientHeight =
        TallestSummaryHeight(window) + SystemMetricAtDpi(SM_CYHSCROLL, dpi) + (bar.bottom - bar.top);
    const LONG frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
    const RECT work = WorkArea();
    const LONG width = std::min<LONG>(ScaledToDpi(MainWindowWidth, dpi), work.right - work.left);
    const LONG height = std::min<LONG>(clientHeight + frameHeight, work.bottom - work.top);
    const LONG left = std::max(work.left, std::min(outer.left, work.right - width));
    const LONG top = std::max(work.top, std::min(outer.top, work.bottom - height));
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    // 1000 wide at 96 DPI, larger in proportion where the screen is scaled;
    // created square, its height is then fitted to what it shows.
    const int side = ScaledToDpi(MainWindowWidth, SystemDpi());
    HWND window = CreateWindowExA(0, MainWindowClassName, MainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, side, side, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) FitFirstSize(window);
    return window;
}

void ShowVersionMessage(ControllerLibrary library) {
    ShowMessageBox(nullptr, VersionMessageText(library), MB_ICONERROR);
}

bool BindControllerLibraries() {
    if (BindApiLibrary() != BindSucceeded) {
        ShowVersionMessage(ControllerLibrary::Api);
        return false;
    }
    if (BindDialogLibrary() != BindSucceeded) {
        ShowVersionMessage(ControllerLibrary::Dialogs);
        return false;
    }
    return true;
}

int RunMessageLoop(HWND window, HACCEL accelerators) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

int RunQuillet(HINSTANCE instance, char* commandLine, int showCommand) {
    if (!RestrictLibrarySearchToProgramFolder()) {
        ShowMessageBox(nullptr, LibrarySearchFailureText, MB_ICONERROR);
        return 0;
    }
    RegisterMainWindowClass(instance);
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) return 0;
    AppState* state = GetAppState(window);
    const std::vector<std::string> words = ApplyCommandLineOptions(commandLine, state->controllerId);
    ShowStatusBar(window, *state);
    if (!BindControllerLibraries()) return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    // Double-clicking a .tvxio file starts quillet.exe "C:\...\press7.tvxio".
    OpenFileNamedOnCommandLine(window, *state, words);
    // Ctrl+C for Copy Summary.
    HACCEL accelerators = LoadAcceleratorsA(instance, "AppAccel");
    return RunMessageLoop(window, accelerators);
}
