// Answers the modal dialogs that a command opens on this thread, from inside
// their own message loop, as a user would: a thread timer looks for new
// dialog windows and hands each to the test's answer.
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

    int DialogsAnswered() const { return static_cast<int>(answered_.size()); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void LookForDialogs();

    Answer answer_;
    UINT_PTR timer_ = 0;
    std::set<HWND> answered_;
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
