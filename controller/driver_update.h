// Write and Reset as one call each, for the window and tvxio alike: hold
// the controller against other writers, keep a copy of the values stored
// for it, then store the image's records or delete them, then restart it. The check for
// conflicts comes before, in the front end that asks about it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controller/write_check.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"

struct DriverUpdateOutcome {
    uint32_t lockError = 0;  // ERROR_TIMEOUT: another writer held the controller; nothing was changed
    std::string copyPath;    // the copy of the values stored before, or the file it could not be; empty when none were stored
    uint32_t copyError = 0;  // the copy could not be made: nothing was changed
    std::string copyDifferingKey;  // the copy's value that did not read back as written
    std::string damagedKey;  // the first value stored before, and copied, that was no record; empty when none
    uint32_t storeError = 0;
    uint32_t restartError = 0;
    SYSTEMTIME at{};         // when the command ran, by the copy's clock
    WriteCheck check;        // a write whose values were stored is read back
    uint32_t journalError = 0;  // the command stands, but is not in the journal
};

// The time a copy is stamped with; tests give a fixed one.
using Clock = SYSTEMTIME (*)();
SYSTEMTIME LocalClock();
// Today, as YYYY-MM-DD.
std::string LocalDateText();

// Where the copy goes, its clock and the user's note for it (none when
// empty); for the journal, the program asking and where the assignments
// came from (a file's full path, or "controller N").
struct CopyRequest {
    std::string folder;
    Clock clock = LocalClock;
    std::string note;
    std::string program;
    std::string sourceFile;                          // a file's full path, or
    std::optional<ControllerNumber> sourceController;  // the controller read from
};

// Write I/O to Controller: records 1 to axisCount become the driver's values,
// and no other axis keeps one; once stored and the restart asked for, the
// controller is read back.
DriverUpdateOutcome WriteIoConfigToDriver(ControllerNumber controllerNumber, const IoConfigImage& image,
                                          const CopyRequest& copy, const WaitReport& waiting = nullptr);
// Reset Controller to Defaults: the values of axes 1 to 16 are deleted.
DriverUpdateOutcome ResetIoConfigOfDriver(ControllerNumber controllerNumber, const CopyRequest& copy);

// What went wrong, one message for each failure, in the order both front
// ends report them: the lock or the copy alone, when either kept the command
// from changing anything; otherwise the restart, then the store. Lines are
// separated by "\n".
std::vector<std::string> DriverUpdateFailures(ControllerNumber controllerNumber, const DriverUpdateOutcome& outcome);

enum class DriverCommand { Write, Reset };
