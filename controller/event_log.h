// Quillet's reports in the Windows Event Log, where an administrator looks
// for what was done to a machine's controllers, long after the window closed.
#pragma once

#include <cstdint>
#include <string>

#include "ioconfig/journal_entry.h"

// Reports text to the Application log under the source "Quillet".
// Returns 0, or the system's error code.
uint32_t ReportToEventLog(EventLevel level, const std::string& text);
