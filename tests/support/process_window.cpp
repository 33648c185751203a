#include "tests/support/process_window.h"

#include <string>

namespace {

struct WindowQuery {
    DWORD processId;
    const char* className;
    bool visible;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM queryAddress) {
    auto* query = reinterpret_cast<WindowQuery*>(queryAddress);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner != query->processId || std::string(className) != query->className) return TRUE;
    if (query->visible && !IsWindowVisible(window)) return TRUE;
    query->found = window;
    return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className, bool visible) {
    WindowQuery query{processId, className, visible, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}
