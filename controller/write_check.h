// After a write: does the controller hold what was stored for it? It is
// opened and read as Read I/O does, and the records written are compared
// with those it holds, byte for byte.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"

enum class WriteCheckResult { NotChecked, Verified, Differs, CouldNotCheck };

struct WriteCheck {
    WriteCheckResult result = WriteCheckResult::NotChecked;
    std::vector<std::string> differences;  // "Axis 3 Amp Enable (out): 27 -> 28", written -> held
    std::string reason;                    // why it could not be checked
};

// Told, on the caller's thread, how long the read-back has waited so far
// each time an open has failed; the front ends say what they wait for.
using WaitReport = std::function<void(unsigned waitedMs)>;

// A controller may not open while it restarts: opening is tried again every
// interval until the wait has passed.
struct WriteCheckWait {
    unsigned totalMs = 30000;
    unsigned intervalMs = 500;
    WaitReport report;
};

WriteCheck CheckWrittenRecords(ControllerNumber controllerNumber, const IoConfigImage& written,
                               WriteCheckWait wait = {});
