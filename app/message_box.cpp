#include "app/message_box.h"

int ShowMessageBox(HWND owner, const std::string& text, UINT type, const char* caption) {
    return MessageBoxA(owner, text.c_str(), caption, type);
}

void Warn(HWND owner, const std::string& text) { ShowMessageBox(owner, text, MB_OK | MB_ICONWARNING); }
