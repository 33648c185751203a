// Configuration files (.tvxio): the axis records as hexadecimal text.
#pragma once

#include <windows.h>

void LoadIoConfigFile(HWND window);
void SaveIoConfigFile(HWND window);
