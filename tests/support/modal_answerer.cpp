#include "tests/support/modal_answerer.h"

namespace {

constexpr const char* WakerClassName = "QuilletModalAnswerer";
constexpr UINT LookNow = WM_APP + 40;

// The innermost answerer alive answers.
ModalAnswerer* activeAnswerer = nullptr;

bool IsDialog(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

BOOL CALLBACK CollectVisibleDialog(HWND window, LPARAM dialogs) {
    if (IsDialog(window) && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(dialogs)->push_back(window);
    return TRUE;
}

BOOL CALLBACK FindIconControl(HWND child, LPARAM found) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

}  // namespace

// Without the waker or the hook, the timer still finds every dialog.
ModalAnswerer::ModalAnswerer(Answer answer) : answer_(std::move(answer)), outer_(activeAnswerer) {
    activeAnswerer = this;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static const bool registered = [instance] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WakerProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = WakerClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    if (registered)
        waker_ = CreateWindowExA(0, WakerClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (waker_ != nullptr) hook_ = SetWindowsHookExA(WH_CBT, OnCbtEvent, nullptr, GetCurrentThreadId());
    timer_ = SetTimer(nullptr, 0, 10, OnTimer);
}

ModalAnswerer::~ModalAnswerer() {
    KillTimer(nullptr, timer_);
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    if (waker_ != nullptr) DestroyWindow(waker_);
    activeAnswerer = outer_;
}

void CALLBACK ModalAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeAnswerer != nullptr) activeAnswerer->LookForDialogs();
}

// The look runs from the dialog's own loop, once the dialog is set up.
LRESULT CALLBACK ModalAnswerer::OnCbtEvent(int code, WPARAM wParam, LPARAM lParam) {
    ModalAnswerer* answerer = activeAnswerer;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (answerer != nullptr && code == HCBT_DESTROYWND) answerer->answered_.erase(window);
    if (answerer != nullptr && answerer->waker_ != nullptr && code == HCBT_ACTIVATE && IsDialog(window))
        PostMessageA(answerer->waker_, LookNow, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalAnswerer::WakerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != LookNow) return DefWindowProcA(window, message, wParam, lParam);
    if (activeAnswerer != nullptr) activeAnswerer->LookForDialogs();
    return 0;
}

void ModalAnswerer::LookForDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisibleDialog,
                      reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
        if (!answered_.insert(dialog).second) continue;
        ++answeredCount_;
        answer_(dialog);
    }
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

SeenMessageBox ReadMessageBox(HWND box) {
    SeenMessageBox seen;
    seen.owner = GetWindow(box, GW_OWNER);
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, 0xFFFF));
    HWND iconControl = nullptr;
    EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&iconControl));
    if (iconControl != nullptr)
        seen.icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
    return seen;
}

void PressButton(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

MessageBoxAnswerer::MessageBoxAnswerer(int buttonId)
    : answerer_([this, buttonId](HWND box) {
          seen_.push_back(ReadMessageBox(box));
          PressButton(box, buttonId);
      }) {}
