// Every message box Quillet shows goes through here, captioned "Quillet"
// unless a box has a caption of its own.
#pragma once

#include <windows.h>

#include <string>

#include "app/startup.h"

int ShowMessageBox(HWND owner, const std::string& text, UINT type, const char* caption = MainWindowTitle);

// An OK box with the warning icon.
void Warn(HWND owner, const std::string& text);
