// The dots per inch a window is drawn at: Quillet is aware of each monitor's
// scaling, so it lays out its summary, fonts, status bar and size itself.
#pragma once

#include <windows.h>

// GetDpiForWindow where user32 has it (Windows 10 1607 on), else the
// screen's; 96 at 100 % scaling.
int WindowDpi(HWND window);
// The screen's, which fonts and new windows start with.
int SystemDpi();
// GetSystemMetricsForDpi where user32 has it, else the screen's metric.
int SystemMetricAtDpi(int index, int dpi);

// A font for painting at the window's DPI, selected into dc for the life of
// this object. Where that is the screen's DPI, the context's own font already
// is, and nothing is selected.
class WindowDpiFont {
public:
    WindowDpiFont(HWND window, HDC dc);
    ~WindowDpiFont();
    WindowDpiFont(const WindowDpiFont&) = delete;
    WindowDpiFont& operator=(const WindowDpiFont&) = delete;

private:
    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};
