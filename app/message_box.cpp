#include "app/message_box.h"

int ShowMessageBox(HWND owner, const std::string& text, UINT type, const char* caption) {
    return MessageBoxA(owner, text.c_str(), caption, type);
}
