// Answers the modal dialogs that a command opens on this thread, from inside
// their own message loop, as a user would: each new dialog window is handed
// to the caller's answer. A CBT hook wakes the look for dialogs as soon as
// one becomes active, so that benchmarks measure no wait for a timer tick;
// a 10 ms thread timer looks too, for a dialog still hidden when it becomes
// active (a DialogBox template without WS_VISIBLE, shown once its loop idles).
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

class ModalAnswerer {
public:
    // Called once for each dialog that appears; it may read the dialog and
    // press its buttons. Dialogs are windows of class "#32770".
    using Answer = std::function<void(HWND dialog)>;

    explicit ModalAnswerer(Answer answer);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    int DialogsAnswered() const { return answeredCount_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK OnCbtEvent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WakerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void LookForDialogs();

    Answer answer_;
    ModalAnswerer* outer_ = nullptr;
    UINT_PTR timer_ = 0;
    HHOOK hook_ = nullptr;
    HWND waker_ = nullptr;
    // Dialogs open and answered; a destroyed one's handle may come back.
    std::set<HWND> answered_;
    int answeredCount_ = 0;
};

// What a message box showed.
struct SeenMessageBox {
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
};

SeenMessageBox ReadMessageBox(HWND box);
std::string WindowText(HWND window);
void PressButton(HWND dialog, int buttonId);

// Records every message box and answers it with the given button.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int buttonId = IDOK);

    const std::vector<SeenMessageBox>& Seen() const { return seen_; }

private:
    std::vector<SeenMessageBox> seen_;
    ModalAnswerer answerer_;
};
