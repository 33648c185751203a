// The summary as the main window shows it: the image's texts with the
// channels that findings involve in colour, the lines below them, and
// scroll bars that reach all of it when the window is smaller.
#pragma once

#include <windows.h>

struct AppState;

// An error's channels in red, a warning's in a dark orange legible on white.
constexpr COLORREF ErrorChannelColour = RGB(0xCC, 0x00, 0x00);
constexpr COLORREF WarningChannelColour = RGB(0xB3, 0x58, 0x00);

void PaintSummary(HWND window, HDC dc, const AppState& state);

// After a change to what the window holds: caption, status bar, scroll
// ranges, repaint.
void ShowHeldImage(HWND window, const AppState& state);
// After a change only to where it came from or whether it is saved.
void ShowCaption(HWND window, const AppState& state);

// The height the tallest summary takes, two axis blocks and the count line
// below them with the bottom margin, at the window's DPI: where the first
// size makes room for it, no vertical scroll bar is needed.
int TallestSummaryHeight(HWND window);

// Fits the scroll bars to the summary and the client area.
void UpdateScrollRanges(HWND window, const AppState& state);

// A scroll bar's request (SB_LINEDOWN, SB_THUMBTRACK ...) on SB_HORZ or SB_VERT.
void ScrollSummary(HWND window, int bar, int request);
// The keys that scroll: arrows, Page Up and Down, Home and End. False for
// any other key.
bool ScrollSummaryByKey(HWND window, WPARAM key);
