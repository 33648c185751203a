#include "controller/driver_update.h"

#include <cstdio>

#include "controller/controller_lock.h"
#include "controller/driver_backup.h"
#include "controller/driver_store.h"
#include "controller/event_log.h"
#include "controller/journal.h"
#include "controller/messages.h"
#include "controller/system_handles.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/messages.h"
#include "ioconfig/sha256.h"

namespace {

// The result and, when not done, the first reason the front ends give.
void SetJournalResult(JournalEntry& entry, ControllerNumber controllerNumber, const DriverUpdateOutcome& outcome) {
    const std::vector<std::string> failures = DriverUpdateFailures(controllerNumber, outcome);
    if (outcome.lockError != 0) entry.result = JournalResult::Refused;
    else if (!failures.empty()) entry.result = JournalResult::Failed;
    else if (outcome.check.result == WriteCheckResult::Verified) entry.result = JournalResult::Verified;
    else if (outcome.check.result == WriteCheckResult::Differs) entry.result = JournalResult::Differs;
    else if (outcome.check.result == WriteCheckResult::CouldNotCheck) entry.result = JournalResult::NotChecked;
    else entry.result = JournalResult::Done;
    if (!failures.empty()) entry.reason = OnOneLine(failures.front());
    else if (const std::string check = WriteCheckText(controllerNumber, outcome.check); !check.empty())
        entry.reason = OnOneLine(check);
}

// The file's digest, when the source is a file that can be read.
std::string SourceDigest(const std::string& source) {
    const UniqueFile file(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return "";
    std::string bytes;
    char buffer[65536];
    for (DWORD count = 0; ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr) && count > 0;)
        bytes.append(buffer, count);
    return Sha256Hex(bytes);
}

JournalEntry EntryFor(ControllerNumber controllerNumber, const CopyRequest& copy, DriverCommand command,
                      const DriverUpdateOutcome& outcome, const std::vector<std::string>& changes) {
    JournalEntry entry;
    StampJournalEntry(entry);
    entry.program = copy.program;
    entry.controller = controllerNumber;
    entry.command = command == DriverCommand::Write ? "write" : "reset";
    if (!copy.sourceFile.empty()) {
        entry.source = copy.sourceFile;
        entry.sha256 = SourceDigest(copy.sourceFile);
    } else if (copy.sourceController) {
        entry.source = NamedController(*copy.sourceController);
    }
    if (outcome.copyError == 0) entry.copy = outcome.copyPath;
    SetJournalResult(entry, controllerNumber, outcome);
    if (outcome.lockError == 0 && outcome.copyError == 0 && outcome.storeError == 0) entry.changes = changes;
    entry.note = copy.note;
    return entry;
}

// Nothing is changed before the values stored now are copied, or known to
// be none; no other writer comes between the copy and the restart request.
// The read-back of what was written (none for a reset) waits for the
// restart outside the lock. The time is the command's, taken before any
// wait, so that a lock waited for in vain reports when the command ran.
template <typename Change>
DriverUpdateOutcome UpdateDriver(ControllerNumber controllerNumber, const CopyRequest& copy, DriverCommand command,
                                 Change change, const IoConfigImage& written, const WaitReport& waiting = nullptr) {
    DriverUpdateOutcome outcome;
    outcome.at = copy.clock();
    std::vector<std::string> changes;
    // Under the controller's lock where it was had, so that the journal's
    // order is the controller's; a command refused the lock is recorded too.
    // The Event Log carries the same event to the plant's IT; the journal is
    // the record, so only its failure is said.
    const auto recorded = [&] {
        const JournalEntry entry = EntryFor(controllerNumber, copy, command, outcome, changes);
        outcome.journalError = AppendToJournal(entry);
        ReportToEventLog(LevelOf(entry), JournalEventText(entry));
        return outcome;
    };
    {
        const ControllerWriterLock lock(controllerNumber);
        outcome.lockError = lock.Error();
        if (outcome.lockError != 0) return recorded();
        const char* before = command == DriverCommand::Write ? "Write" : "Reset";
        const DriverBackup backup = BackUpDriverIoConfig(controllerNumber, copy.folder, {before, outcome.at, copy.note});
        outcome.copyPath = backup.path;
        outcome.copyError = backup.error;
        outcome.copyDifferingKey = backup.differingKey;
        if (outcome.copyError != 0) return recorded();
        const StoredIoConfig stored = ReadStoredIoConfig(controllerNumber);
        outcome.damagedKey = stored.refusedValue;
        changes = DiffAssignments(stored.image, written);
        outcome.storeError = change();
        // The restart goes ahead whatever the store did: it was asked for.
        outcome.restartError = RestartController(controllerNumber);
    }
    if (command == DriverCommand::Write && outcome.storeError == 0)
        outcome.check = CheckWrittenRecords(controllerNumber, written, {.report = waiting});
    const ControllerWriterLock lock(controllerNumber);
    return recorded();
}

}  // namespace

SYSTEMTIME LocalClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

std::string LocalDateText() {
    const SYSTEMTIME now = LocalClock();
    char date[16];
    std::snprintf(date, sizeof date, "%04u-%02u-%02u", now.wYear % 10000u, now.wMonth % 100u, now.wDay % 100u);
    return date;
}

DriverUpdateOutcome WriteIoConfigToDriver(ControllerNumber controllerNumber, const IoConfigImage& image,
                                          const CopyRequest& copy, const WaitReport& waiting) {
    return UpdateDriver(controllerNumber, copy, DriverCommand::Write,
                        [&] { return WriteDriverIoConfig(controllerNumber, image); }, image, waiting);
}

DriverUpdateOutcome ResetIoConfigOfDriver(ControllerNumber controllerNumber, const CopyRequest& copy) {
    return UpdateDriver(controllerNumber, copy, DriverCommand::Reset,
                        [&] { return ResetDriverIoConfig(controllerNumber); }, IoConfigImage{});
}

std::vector<std::string> DriverUpdateFailures(ControllerNumber controllerNumber, const DriverUpdateOutcome& outcome) {
    if (outcome.lockError != 0) return {LockFailureText(controllerNumber, outcome.lockError)};
    if (outcome.copyError != 0)
        return {BackupFailureText(controllerNumber, outcome.copyPath, outcome.copyError, outcome.copyDifferingKey)};
    std::vector<std::string> failures;
    if (outcome.restartError != 0) failures.push_back(RestartFailureText(controllerNumber, outcome.restartError));
    if (outcome.storeError != 0) failures.push_back(StoreFailureText(controllerNumber, outcome.storeError));
    return failures;
}
