#include "tests/support/modal_answerer.h"

namespace {

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

ModalAnswerer::ModalAnswerer(Answer answer) : answer_(std::move(answer)) {
    activeAnswerer = this;
    timer_ = SetTimer(nullptr, 0, 10, OnTimer);
}

ModalAnswerer::~ModalAnswerer() {
    KillTimer(nullptr, timer_);
    activeAnswerer = nullptr;
}

void CALLBACK ModalAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeAnswerer != nullptr) activeAnswerer->LookForDialogs();
}

void ModalAnswerer::LookForDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisibleDialog,
                      reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
        if (!answered_.insert(dialog).second) continue;
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
