// The engine's sentences that a user reads, each written once: the window
// shows them in its boxes and its status bar, tvxio prints them as its own
// (without "Quillet" before "could not"), and the journal keeps a failure's
// first one as its reason. The pure code's are in ioconfig/messages.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controller/driver_update.h"
#include "controller/target_check.h"
#include "controller/write_check.h"
#include "ioconfig/controller_number.h"

// Failures

// The system's sentence for the code, without its line break, or "Error n."
// where the system has none: every failure Quillet and tvxio report ends
// with the system's own words.
std::string SystemErrorText(DWORD error);

// Start-up

// What a program could not do when the library search cannot be kept to
// its own folder; each front end says it in a sentence of its own.
constexpr const char* LibrarySearchFailure = "keep the controller libraries from being loaded from the current folder";

// Files

// "PATH has keys or sections Quillet does not read: [TVXIOConfig]
// Axis17IOConfig, [Extra]", as UnreadKeys names them.
std::string UnreadKeysText(const std::string& path, const std::vector<std::string>& unread);

// The reason for a failed write: the system's, or the value that did not
// read back as written.
std::string WholeFileFailureText(uint32_t error, const std::string& differingKey);

// Stored values

// "the values stored for controller N", as a comparison names them.
std::string StoredValuesName(ControllerNumber controllerNumber);
// "the value NAME stored for controller N is not a record (64 bytes of
// REG_BINARY)", as both front ends say it.
std::string RefusedStoredValueText(ControllerNumber controllerNumber, const std::string& valueName);

// The check before a write

// Why it was not checked against the controller, for example "controller 3
// could not be opened: channels not checked"; empty when it was.
std::string TargetNotCheckedText(ControllerNumber controllerNumber, TargetCheckResult result);

// Write and Reset

// "Stored 8 axes for controller 0", as both front ends begin the account
// of a write whose values were stored.
std::string StoredAxesText(int axes, ControllerNumber controllerNumber);

// One line on what the command did, when, and where the copy went: "Stored
// 8 axes for controller 0 at 14:05; the values stored before are in PATH.",
// ending "; controller 0 holds them." when the read-back found them.
std::string DriverUpdateStatus(ControllerNumber controllerNumber, DriverCommand command, int axes,
                               const DriverUpdateOutcome& outcome);

// After the account of the copy, when a value stored before was no record:
// "The values stored before were damaged: Axis1IOConfig was not a record
// (64 bytes of REG_BINARY)."
std::string DamagedValuesReplacedText(const std::string& valueName);

// A failure each, lines separated by "\n".
std::string LockFailureText(ControllerNumber controllerNumber, uint32_t error);
std::string BackupFailureText(ControllerNumber controllerNumber, const std::string& path, uint32_t error,
                              const std::string& differingKey = "");
std::string StoreFailureText(ControllerNumber controllerNumber, uint32_t error);
std::string RestartFailureText(ControllerNumber controllerNumber, uint32_t error);

// The read-back after a write

// Why the controller could not be read back.
constexpr const char* LibraryNotLoaded = "the controller library kxapi32.dll is not loaded";
std::string NotOpenedWithinText(ControllerNumber controllerNumber, unsigned seconds);
std::string NotReadBackText(ControllerNumber controllerNumber);
// A difference of its own: "Axis 4 is not held by controller 6".
std::string AxisNotHeldText(int axis, ControllerNumber controllerNumber);

// The words around the differences of a check that differs: "After the
// write, controller N does not hold the assignments stored for it (stored ->
// held):", and the closing sentence.
std::string WriteDiffersHeading(ControllerNumber controllerNumber);
constexpr const char* WriteDiffersClosing = "The controller takes up the stored assignments at its next restart.";

// The window's box for a check that differs or could not be made: at most
// ten differences, then "and K more.".
std::string WriteCheckText(ControllerNumber controllerNumber, const WriteCheck& check);

// The journal

// Said when an entry could not be appended: the command itself stands.
std::string JournalFailureText(const std::string& command, uint32_t error);
