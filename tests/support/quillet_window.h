// Quillet's real main window, created in the test process as start-up
// creates it (hidden), for tests that drive it with messages.
#pragma once

#include <windows.h>

#include <string>

#include "app/app_state.h"

// Binds the simulated board's libraries, found beside the test program, into
// this process; they stay bound for the process's life, as in Quillet.
void BindSimulatedBoardLibraries();

class QuilletWindow {
public:
    QuilletWindow();
    ~QuilletWindow();
    QuilletWindow(const QuilletWindow&) = delete;
    QuilletWindow& operator=(const QuilletWindow&) = delete;

    HWND Handle() const { return window_; }
    AppState& State() const { return *GetAppState(window_); }
    LRESULT Command(int id) const;
    // Runs this thread's messages, as the message loop would, until no
    // Write or Reset runs and its outcome has been shown.
    void AwaitDriverCommand() const;
    // Closes the window and reports whether it posted the quit message.
    bool CloseAndExpectQuit();

private:
    HWND window_ = nullptr;
};

// Shows the window without activating it, painted, with nothing invalid left.
void ShowPainted(HWND window);
// Whether part of the window's client area waits to be repainted.
bool WaitsForRepaint(HWND window);
