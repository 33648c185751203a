#include "controller/event_log.h"

#include <windows.h>

#include "controller/quillet_events.h"
#include "controller/system_error.h"
#include "controller/unique_handle.h"

namespace {

struct EventSourceKind {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsOpen(Handle source) { return source != nullptr; }
    static void Close(Handle source) { DeregisterEventSource(source); }
};

WORD EventType(EventLevel level) {
    switch (level) {
    case EventLevel::Warning: return EVENTLOG_WARNING_TYPE;
    case EventLevel::Error: return EVENTLOG_ERROR_TYPE;
    case EventLevel::Information: break;
    }
    return EVENTLOG_INFORMATION_TYPE;
}

}  // namespace

uint32_t ReportToEventLog(EventLevel level, const std::string& text) {
    // The installer registers the source, naming quillet.exe for its message
    // table; an unregistered one still reports, only without that text.
    UniqueHandle<EventSourceKind> source(RegisterEventSourceA(nullptr, "Quillet"));
    if (!source.IsOpen()) return LastErrorOr(ERROR_INVALID_HANDLE);
    const char* strings[] = {text.c_str()};
    if (!ReportEventA(source.Get(), EventType(level), 0, QUILLET_EVENT_TEXT, nullptr, 1, 0, strings, nullptr))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return 0;
}
