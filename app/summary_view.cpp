#include "app/summary_view.h"

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/status_bar.h"
#include "app/window_dpi.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/messages.h"
#include "ioconfig/summary_layout.h"
#include "ioconfig/window_caption.h"

namespace {

// The summary, then the count of findings on a line of its own when there
// are any.
std::vector<SummaryText> WindowTexts(HWND window, const AppState& state) {
    const int dpi = WindowDpi(window);
    const std::vector<Finding> findings = CheckAssignments(state.image);
    std::vector<SummaryText> texts = LayOutSummary(state.image, findings, dpi);
    if (const std::string line = FindingsCountLine(findings); !line.empty())
        texts.push_back({ScaledToDpi(SummaryLeft, dpi), SummaryFooterTop(state.image, dpi), line, std::nullopt});
    return texts;
}

// The summary's size in the window's font, with the left margin again on
// the right and at the bottom.
SIZE SummaryExtent(HWND window, const AppState& state) {
    SIZE extent{0, 0};
    HDC dc = GetDC(window);
    {
        const WindowDpiFont font(window, dc);
        const int margin = ScaledToDpi(SummaryLeft, WindowDpi(window));
        for (const SummaryText& text : WindowTexts(window, state)) {
            SIZE size{};
            GetTextExtentPoint32A(dc, text.text.c_str(), static_cast<int>(text.text.size()), &size);
            extent.cx = std::max(extent.cx, static_cast<LONG>(text.x + size.cx + margin));
            extent.cy = std::max(extent.cy, static_cast<LONG>(text.y + size.cy + margin));
        }
    }
    ReleaseDC(window, dc);
    return extent;
}

// A bar whose page holds the whole extent hides itself.
void FitScrollBar(HWND window, int bar, LONG extent, LONG page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = std::max(extent - 1, 0L);
    info.nPage = static_cast<UINT>(std::max(page, 0L));
    SetScrollInfo(window, bar, &info, TRUE);
}

SCROLLINFO ScrollInfoOf(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

int ScrollPosition(HWND window, int bar) { return ScrollInfoOf(window, bar).nPos; }

}  // namespace

void PaintSummary(HWND window, HDC dc, const AppState& state) {
    const RECT area = SummaryArea(window);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SetViewportOrgEx(dc, -ScrollPosition(window, SB_HORZ), -ScrollPosition(window, SB_VERT), nullptr);
    const WindowDpiFont font(window, dc);
    const COLORREF plain = GetTextColor(dc);
    for (const SummaryText& text : WindowTexts(window, state)) {
        if (text.mark) SetTextColor(dc, *text.mark == FindingLevel::Error ? ErrorChannelColour : WarningChannelColour);
        TextOutA(dc, text.x, text.y, text.text.c_str(), static_cast<int>(text.text.size()));
        if (text.mark) SetTextColor(dc, plain);
    }
}

int TallestSummaryHeight(HWND window) {
    IoConfigImage tallest{};
    SetAxisCount(tallest, MaxAxisRecords);
    const int dpi = WindowDpi(window);
    TEXTMETRICA metrics{};
    HDC dc = GetDC(window);
    {
        const WindowDpiFont font(window, dc);
        GetTextMetricsA(dc, &metrics);
    }
    ReleaseDC(window, dc);
    return SummaryFooterTop(tallest, dpi) + metrics.tmHeight + ScaledToDpi(SummaryLeft, dpi);
}

void ShowCaption(HWND window, const AppState& state) {
    SetWindowTextA(window, WindowCaption(state.held.source, state.held.unsaved).c_str());
}

void ShowHeldImage(HWND window, const AppState& state) {
    ShowCaption(window, state);
    ShowStatusBar(window, state);
    UpdateScrollRanges(window, state);
    InvalidateRect(window, nullptr, TRUE);
}

void UpdateScrollRanges(HWND window, const AppState& state) {
    const SIZE extent = SummaryExtent(window, state);
    // Each bar shown or hidden changes the other's page: the area is
    // measured again for each.
    FitScrollBar(window, SB_HORZ, extent.cx, SummaryArea(window).right);
    FitScrollBar(window, SB_VERT, extent.cy, SummaryArea(window).bottom);
    FitScrollBar(window, SB_HORZ, extent.cx, SummaryArea(window).right);
}

void ScrollSummary(HWND window, int bar, int request) {
    SCROLLINFO info = ScrollInfoOf(window, bar);
    const int before = info.nPos;
    switch (request) {
        case SB_LINEUP: info.nPos -= ScaledToDpi(SummaryLineStep, WindowDpi(window)); break;
        case SB_LINEDOWN: info.nPos += ScaledToDpi(SummaryLineStep, WindowDpi(window)); break;
        case SB_PAGEUP: info.nPos -= static_cast<int>(info.nPage); break;
        case SB_PAGEDOWN: info.nPos += static_cast<int>(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: info.nPos = info.nTrackPos; break;
        case SB_TOP: info.nPos = info.nMin; break;
        case SB_BOTTOM: info.nPos = info.nMax; break;
        default: return;
    }
    info.fMask = SIF_POS;
    SetScrollInfo(window, bar, &info, TRUE);  // kept within the range
    if (ScrollPosition(window, bar) != before) InvalidateRect(window, nullptr, TRUE);
}

bool ScrollSummaryByKey(HWND window, WPARAM key) {
    struct KeyScroll {
        WPARAM key;
        int bar;
        int request;
    };
    static constexpr KeyScroll keys[] = {
        {VK_UP, SB_VERT, SB_LINEUP},      {VK_DOWN, SB_VERT, SB_LINEDOWN}, {VK_PRIOR, SB_VERT, SB_PAGEUP},
        {VK_NEXT, SB_VERT, SB_PAGEDOWN},  {VK_HOME, SB_VERT, SB_TOP},      {VK_END, SB_VERT, SB_BOTTOM},
        {VK_LEFT, SB_HORZ, SB_LINELEFT},  {VK_RIGHT, SB_HORZ, SB_LINERIGHT},
    };
    for (const KeyScroll& entry : keys) {
        if (entry.key != key) continue;
        ScrollSummary(window, entry.bar, entry.request);
        return true;
    }
    return false;
}
