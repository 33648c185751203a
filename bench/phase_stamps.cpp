#include "bench/phase_stamps.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/clock.h"

namespace {

struct Stamp {
    const char* name;
    double milliseconds;
};

// Kept in memory until the end, so that noting a phase costs no file work.
std::vector<Stamp>& Stamps() {
    static std::vector<Stamp> stamps;
    return stamps;
}

const char* watchedClass = nullptr;
HWND watchedWindow = nullptr;
bool shownStamped = false;
bool paintedStamped = false;

bool IsWatchedClass(HWND window) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, watchedClass) == 0;
}

LRESULT CALLBACK OnCbtEvent(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && watchedWindow == nullptr && IsWatchedClass(window)) {
        watchedWindow = window;
        StampPhase("to main window creation");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BeforeWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == watchedWindow && call->message == WM_SHOWWINDOW && call->wParam &&
        !shownStamped) {
        shownStamped = true;
        StampPhase("to ShowWindow");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == watchedWindow) {
        if (call->message == WM_CREATE) StampPhase("window creation, WM_CREATE");
        if (call->message == WM_PAINT && !paintedStamped) {
            paintedStamped = true;
            StampPhase("showing, first paint");
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void StampPhase(const char* name) { Stamps().push_back({name, NowMilliseconds()}); }

void WatchStartUpPhases(const char* windowClass) {
    watchedClass = windowClass;
    const DWORD thread = GetCurrentThreadId();
    SetWindowsHookExA(WH_CBT, OnCbtEvent, nullptr, thread);
    SetWindowsHookExA(WH_CALLWNDPROC, BeforeWindowProc, nullptr, thread);
    SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, thread);
}

void WriteStamps() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(StampFileVariable, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    FILE* file = std::fopen(path, "w");
    if (file == nullptr) return;
    for (const Stamp& stamp : Stamps()) std::fprintf(file, "%.3f %s\n", stamp.milliseconds, stamp.name);
    std::fclose(file);
}
