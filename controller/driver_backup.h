// A copy of what the driver holds for a controller, taken before a command
// replaces or deletes it: an ordinary .tvxio file, which Open File reads and
// Write puts back on the board, plus a section [Backup] saying whose values
// they were, when and before what.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controller/driver_store.h"
#include "ioconfig/controller_number.h"

struct DriverBackup {
    uint32_t error = 0;        // 0, or the system's code when the copy could not be made
    std::string path;          // the copy, or the file it could not be; empty when nothing is stored
    std::string differingKey;  // the value that did not read back as written (ERROR_INVALID_DATA)
};

// What a copy records besides the values, the user and the computer: before
// which command ("Write", "Reset") it was taken, when, and the user's note
// (none when empty).
struct BackupOccasion {
    const char* before;
    SYSTEMTIME taken;
    std::string note;
};

// Copies the controller's stored values into a new file in folder (created,
// with the folders above it, when missing), named
// "controller<N>-<YYYYMMDD>-<HHMMSS>.tvxio", with "-2", "-3" ... before the
// extension when that name is taken; each name is claimed by creating the
// file, so no two writers share one. The copy is written whole and read
// back; one that fails leaves no file behind.
DriverBackup BackUpDriverIoConfig(ControllerNumber controllerNumber, const std::string& folder,
                                  const BackupOccasion& occasion);

// A copy as a listing shows it: the values of its [Backup] section, how
// many axis values it holds and the first of them that is no record's text.
struct BackupCopy {
    std::string path;
    std::string controller;
    std::string taken;
    std::string before;
    std::string note;  // as written, line breaks included
    int axes = 0;
    std::string damagedKey;  // empty when every value is a record
};

// The copies in folder, newest first: by the time taken, then within one
// second by the number in the name (none counts as 1). None when the folder
// is not there. A file that does not read as a copy (no controller, no time
// or no axis value) is left out, and counted in skipped.
std::vector<BackupCopy> ListBackups(const std::string& folder, int* skipped = nullptr);
