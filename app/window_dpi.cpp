#include "app/window_dpi.h"

#include "controller/system_library.h"
#include "ioconfig/summary_layout.h"

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiProc = int(WINAPI*)(int, UINT);

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BaseDpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = SystemProcedure<GetDpiForWindowProc>("user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr)
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
    return SystemDpi();
}

int SystemMetricAtDpi(int index, int dpi) {
    static const auto getSystemMetricsForDpi =
        SystemProcedure<GetSystemMetricsForDpiProc>("user32.dll", "GetSystemMetricsForDpi");
    return getSystemMetricsForDpi != nullptr ? getSystemMetricsForDpi(index, static_cast<UINT>(dpi))
                                             : GetSystemMetrics(index);
}

WindowDpiFont::WindowDpiFont(HWND window, HDC dc) : dc_(dc) {
    const int dpi = WindowDpi(window);
    const int system = SystemDpi();
    if (dpi == system) return;
    LOGFONTA font{};
    if (GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font) == 0) return;
    font.lfHeight = MulDiv(font.lfHeight, dpi, system);
    font.lfWidth = MulDiv(font.lfWidth, dpi, system);
    font_ = CreateFontIndirectA(&font);
    if (font_ != nullptr) previous_ = SelectObject(dc, font_);
}

WindowDpiFont::~WindowDpiFont() {
    if (font_ == nullptr) return;
    SelectObject(dc_, previous_);
    DeleteObject(font_);
}
