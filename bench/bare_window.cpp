#include "bench/bare_window.h"

namespace {

constexpr int BareWindowWidth = 1000;
constexpr int BareWindowHeight = 420;

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ATOM RegisterBareWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = BareWindowClassName;
    return RegisterClassExA(&windowClass);
}

HWND CreateBareWindow(HINSTANCE instance) {
    return CreateWindowExA(0, BareWindowClassName, "Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, BareWindowWidth, BareWindowHeight, nullptr, nullptr, instance,
                           nullptr);
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int RunBareWindow(HINSTANCE instance, int showCommand) {
    if (RegisterBareWindowClass(instance) == 0) return 1;
    HWND window = CreateBareWindow(instance);
    if (window == nullptr) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop();
}
