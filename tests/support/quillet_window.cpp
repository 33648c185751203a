#include "tests/support/quillet_window.h"

#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/system_libraries.h"
#include "controller/library_binding.h"
#include "tests/support/message_pump.h"

void BindSimulatedBoardLibraries() {
    static const bool bound = BindApiLibrary() == BindSucceeded &&
                              BindDialogLibrary() == BindSucceeded;
    ASSERT_TRUE(bound) << "the simulated board's libraries are not beside the tests";
}

QuilletWindow::QuilletWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static const bool registered = [instance] {
        InitCommonControlsOnDemand();
        return RegisterMainWindowClass(instance) != 0;
    }();
    EXPECT_TRUE(registered);
    window_ = CreateMainWindow(instance);
    EXPECT_NE(window_, nullptr);
}

QuilletWindow::~QuilletWindow() {
    if (window_ != nullptr && IsWindow(window_)) CloseAndExpectQuit();
}

LRESULT QuilletWindow::Command(int id) const {
    return SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void QuilletWindow::AwaitDriverCommand() const {
    MSG message;
    while (State().held.driverJob != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool QuilletWindow::CloseAndExpectQuit() {
    DestroyWindow(window_);
    window_ = nullptr;
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quit = true;
    }
    return quit;
}

void ShowPainted(HWND window) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    PumpMessages();
}

bool WaitsForRepaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != FALSE; }
