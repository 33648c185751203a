#include "bench/dialog_watcher.h"

#include <cstring>

#include "bench/failure.h"

namespace {

constexpr const char* MessengerClassName = "QuilletBenchMessenger";
constexpr UINT AnswerDialog = WM_APP + 40;

DialogWatcher* activeWatcher = nullptr;

bool IsDialog(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, "#32770") == 0;
}

void RegisterMessengerClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = MessengerClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) FailBench("cannot register the dialog watcher's window class");
}

}  // namespace

DialogWatcher::DialogWatcher(Answer answer) : answer_(std::move(answer)) {
    if (activeWatcher != nullptr) FailBench("only one dialog watcher may be active");
    RegisterMessengerClass(MessengerProc);
    messenger_ = CreateWindowExA(0, MessengerClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    hook_ = SetWindowsHookExA(WH_CBT, OnCbtEvent, nullptr, GetCurrentThreadId());
    if (messenger_ == nullptr || hook_ == nullptr) FailBench("cannot watch for dialogs");
    activeWatcher = this;
}

DialogWatcher::~DialogWatcher() {
    activeWatcher = nullptr;
    UnhookWindowsHookEx(hook_);
    DestroyWindow(messenger_);
}

LRESULT CALLBACK DialogWatcher::OnCbtEvent(int code, WPARAM wParam, LPARAM lParam) {
    DialogWatcher* watcher = activeWatcher;
    HWND window = reinterpret_cast<HWND>(wParam);
    // A destroyed dialog's handle may come back for the next one.
    if (watcher != nullptr && code == HCBT_DESTROYWND) watcher->seen_.erase(window);
    if (watcher != nullptr && code == HCBT_ACTIVATE && IsDialog(window) &&
        watcher->seen_.insert(window).second)
        PostMessageA(watcher->messenger_, AnswerDialog, wParam, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DialogWatcher::MessengerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != AnswerDialog) return DefWindowProcA(window, message, wParam, lParam);
    HWND dialog = reinterpret_cast<HWND>(wParam);
    if (activeWatcher != nullptr && IsWindow(dialog)) {
        ++activeWatcher->answeredCount_;
        activeWatcher->answer_(dialog);
    }
    return 0;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
