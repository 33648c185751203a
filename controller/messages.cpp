#include "controller/messages.h"

#include <cstdio>

#include "controller/journal.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/counted_words.h"
#include "ioconfig/messages.h"

// Failures

std::string SystemErrorText(DWORD error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        error, 0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    return reason.empty() ? "Error " + std::to_string(error) + "." : reason;
}

// Files

std::string UnreadKeysText(const std::string& path, const std::vector<std::string>& unread) {
    std::string text = path + " has keys or sections Quillet does not read: ";
    for (size_t i = 0; i < unread.size(); ++i) text += (i == 0 ? "" : ", ") + unread[i];
    return text;
}

std::string WholeFileFailureText(uint32_t error, const std::string& differingKey) {
    if (error == ERROR_INVALID_DATA && !differingKey.empty())
        return "Its value " + differingKey + " did not read back as it was written.";
    return SystemErrorText(error);
}

// Stored values

namespace {

constexpr const char* ARecord = "a record (64 bytes of REG_BINARY)";

}  // namespace

std::string StoredValuesName(ControllerNumber controllerNumber) {
    return "the values stored for " + NamedController(controllerNumber);
}

std::string RefusedStoredValueText(ControllerNumber controllerNumber, const std::string& valueName) {
    return "the value " + valueName + " stored for " + NamedController(controllerNumber) +
           " is not " + ARecord;
}

// The check before a write

std::string TargetNotCheckedText(ControllerNumber controllerNumber, TargetCheckResult result) {
    const std::string controller = NamedController(controllerNumber);
    constexpr const char* notChecked = ": channels not checked";
    switch (result) {
        case TargetCheckResult::Checked: return "";
        case TargetCheckResult::NotOpened: return controller + " could not be opened" + notChecked;
        case TargetCheckResult::NotRead: return "the configuration of " + controller + " could not be read" + notChecked;
        case TargetCheckResult::NoLibrary: return LibraryNotLoaded + std::string(notChecked);
    }
    return "";
}

// Write and Reset

namespace {

std::string NothingChanged(ControllerNumber controllerNumber) {
    return "Nothing was changed on " + NamedController(controllerNumber);
}

std::string AxesFor(int axes, ControllerNumber controllerNumber) {
    return Counted(axes, "axis", "axes") + " for " + NamedController(controllerNumber);
}

}  // namespace

std::string StoredAxesText(int axes, ControllerNumber controllerNumber) {
    return "Stored " + AxesFor(axes, controllerNumber);
}

std::string DriverUpdateStatus(ControllerNumber controllerNumber, DriverCommand command, int axes,
                               const DriverUpdateOutcome& outcome) {
    const std::string controller = NamedController(controllerNumber);
    char time[8];
    std::snprintf(time, sizeof time, "%02u:%02u", outcome.at.wHour % 100u, outcome.at.wMinute % 100u);
    if (outcome.lockError != 0 || outcome.copyError != 0)
        return NothingChanged(controllerNumber) + " at " + time + ".";
    const bool stored = outcome.storeError == 0;
    std::string text = command == DriverCommand::Write
                           ? (stored ? StoredAxesText(axes, controllerNumber) : "Storing " + AxesFor(axes, controllerNumber))
                           : (stored ? "Removed" : "Removing") + std::string(" the assignments stored for ") + controller;
    text += (stored ? " at " : " failed at ") + std::string(time);
    if (outcome.restartError != 0) text += ", but the controller was not restarted";
    text += outcome.copyPath.empty() ? "; nothing was stored before, so no copy was made"
                                     : "; the values stored before are in " + outcome.copyPath;
    if (outcome.check.result == WriteCheckResult::Verified) text += "; " + controller + " holds them";
    return text + ".";
}

std::string DamagedValuesReplacedText(const std::string& valueName) {
    return "The values stored before were damaged: " + valueName + " was not " + ARecord + ".";
}

std::string LockFailureText(ControllerNumber controllerNumber, uint32_t error) {
    const std::string controller = NamedController(controllerNumber);
    if (error == ERROR_TIMEOUT) return "Another program is writing the assignments of " + controller + ".";
    return "Quillet could not make sure that no other program writes to " + controller +
           " at the same time: " + SystemErrorText(error) + "\n" + NothingChanged(controllerNumber) + ".";
}

std::string BackupFailureText(ControllerNumber controllerNumber, const std::string& path, uint32_t error,
                              const std::string& differingKey) {
    return "Quillet could not keep a copy of the assignments stored for " + NamedController(controllerNumber) +
           " in the file\n" + path + ":\n" + WholeFileFailureText(error, differingKey) + "\n" +
           NothingChanged(controllerNumber) + ".";
}

std::string StoreFailureText(ControllerNumber controllerNumber, uint32_t error) {
    return "The I/O configuration stored for " + NamedController(controllerNumber) +
           " could not be updated.\nThe controller may not use the assignments you expect.\n" +
           SystemErrorText(error);
}

std::string RestartFailureText(ControllerNumber controllerNumber, uint32_t error) {
    return "Quillet could not restart " + NamedController(controllerNumber) + ": " + SystemErrorText(error) + "\n" +
           WriteDiffersClosing;
}

// The read-back after a write

namespace {

constexpr size_t ListedDifferences = 10;

}  // namespace

std::string NotOpenedWithinText(ControllerNumber controllerNumber, unsigned seconds) {
    return NamedController(controllerNumber) + " did not open within " + std::to_string(seconds) + " seconds";
}

std::string NotReadBackText(ControllerNumber controllerNumber) {
    return "the I/O configuration of " + NamedController(controllerNumber) + " could not be read";
}

std::string AxisNotHeldText(int axis, ControllerNumber controllerNumber) {
    return "Axis " + std::to_string(axis) + " is not held by " + NamedController(controllerNumber);
}

std::string WriteDiffersHeading(ControllerNumber controllerNumber) {
    return "After the write, " + NamedController(controllerNumber) +
           " does not hold the assignments stored for it (stored -> held):";
}

std::string WriteCheckText(ControllerNumber controllerNumber, const WriteCheck& check) {
    if (check.result == WriteCheckResult::CouldNotCheck)
        return "Quillet could not check what " + NamedController(controllerNumber) +
               " holds after the write: " + check.reason + ".";
    if (check.result != WriteCheckResult::Differs) return "";
    return WriteDiffersHeading(controllerNumber) + "\n" + ListedAtMost(check.differences, ListedDifferences) + "\n" +
           WriteDiffersClosing;
}

// The journal

std::string JournalFailureText(const std::string& command, uint32_t error) {
    return "The " + command + " was not added to the journal " + JournalPath() + ": " + SystemErrorText(error);
}
