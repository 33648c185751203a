// Answers the dialogs a command opens on this thread, from inside their own
// modal loop. A CBT hook sees each dialog become active and posts its handle
// to a message-only window, so the answer runs as soon as the modal loop
// next turns: no timer tick (10 ms at best) is added to what is measured,
// and Quillet and its floor are answered alike.
#pragma once

#include <windows.h>

#include <functional>
#include <set>

class DialogWatcher {
public:
    // Called once for each dialog (window class "#32770") that becomes active.
    using Answer = std::function<void(HWND dialog)>;

    explicit DialogWatcher(Answer answer);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    int DialogsAnswered() const { return answeredCount_; }

private:
    static LRESULT CALLBACK OnCbtEvent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MessengerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Answer answer_;
    HHOOK hook_ = nullptr;
    HWND messenger_ = nullptr;
    std::set<HWND> seen_;
    int answeredCount_ = 0;
};

// Runs this thread's pending messages, paints included.
void PumpMessages();
