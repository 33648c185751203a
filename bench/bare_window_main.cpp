#include <windows.h>

#include "bench/bare_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return RunBareWindow(instance, showCommand);
}
