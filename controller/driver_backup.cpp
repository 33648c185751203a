#include "controller/driver_backup.h"

#include <algorithm>
#include <cstdio>

#include "controller/profile_file.h"
#include "controller/system_error.h"
#include "controller/system_handles.h"
#include "controller/whole_file.h"
#include "ioconfig/record_text.h"
#include "ioconfig/store_names.h"

namespace {

// A write still running has a new file younger than this.
constexpr unsigned NewFilesOlderThanSeconds = 60;

std::string Stamp(const char* format, const SYSTEMTIME& time) {
    char text[32];
    std::snprintf(text, sizeof text, format, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                  time.wSecond);
    return text;
}

std::string UserName() {
    char name[256 + 1] = {};
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? name : "";
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? name : "";
}

// The profile functions drop a note's outer blanks and quotes and end it at
// a line break: it is stored quoted, its line breaks and backslashes as
// "\n", "\r" and "\\", so that it reads back as it was written.
std::string QuotedNote(const std::string& note) {
    std::string quoted = "\"";
    for (char c : note) quoted += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\\' ? "\\\\" : std::string(1, c);
    return quoted + "\"";
}

std::string NoteOf(const std::string& stored) {
    std::string note;
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\\' || i + 1 == stored.size()) {
            note += stored[i];
            continue;
        }
        const char escaped = stored[++i];
        note += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped;
    }
    return note;
}

// The section [Backup] first, so that the records are written last, as
// Save As writes them.
std::vector<ProfileEntry> BackupEntries(ControllerNumber controllerNumber, const BackupOccasion& occasion,
                                        const std::vector<StoredAxisValue>& values) {
    std::vector<ProfileEntry> entries = {
        {BackupSection, "Controller", ControllerNumberText(controllerNumber)},
        {BackupSection, "Taken", Stamp("%04u-%02u-%02u %02u:%02u:%02u", occasion.taken)},
        {BackupSection, "Before", occasion.before},
        {BackupSection, "User", UserName()},
        {BackupSection, "Computer", ComputerName()},
    };
    if (!occasion.note.empty()) entries.push_back({BackupSection, "Note", QuotedNote(occasion.note)});
    for (const StoredAxisValue& value : values)
        entries.push_back(
            {ConfigFileSection, AxisValueName(value.axis), EncodeByteText(value.bytes.data(), value.bytes.size())});
    return entries;
}

// "controller<N>-<YYYYMMDD>-<HHMMSS>.tvxio", or with "-<copy>" before the
// extension from the second copy of a second on.
std::string BackupPath(const std::string& folder, ControllerNumber controllerNumber, const SYSTEMTIME& taken,
                       int copy) {
    std::string path = folder + "\\controller" + ControllerNumberText(controllerNumber) + "-" +
                       Stamp("%04u%02u%02u-%02u%02u%02u", taken);
    if (copy > 1) path += '-' + std::to_string(copy);
    return path + ".tvxio";
}

// The copies' folder is made on first use, with the folders above it that
// are missing: tvxio may keep a copy before Quillet ever ran.
uint32_t CreateFolderPath(const std::string& folder) {
    for (size_t end = folder.find('\\', 3); end != std::string::npos; end = folder.find('\\', end + 1))
        CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
    if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    return LastErrorOr(ERROR_PATH_NOT_FOUND);
}

// The "-<copy>" of a name, 1 for none: a number shorter than the six
// digits of the time that would stand there without it.
int CopyNumberOf(const std::string& path) {
    const size_t extension = path.rfind('.');
    const size_t dash = path.rfind('-', extension);
    if (extension == std::string::npos || dash == std::string::npos) return 1;
    const std::string number = path.substr(dash + 1, extension - dash - 1);
    if (number.empty() || number.size() >= 6 || number.find_first_not_of("0123456789") != std::string::npos) return 1;
    return std::stoi(number);
}

BackupCopy ReadBackupCopy(const std::string& path) {
    BackupCopy copy;
    copy.path = path;
    copy.controller = ReadProfileValue(path, BackupSection, "Controller");
    copy.taken = ReadProfileValue(path, BackupSection, "Taken");
    copy.before = ReadProfileValue(path, BackupSection, "Before");
    copy.note = NoteOf(ReadProfileValue(path, BackupSection, "Note"));
    for (int axis = 1; axis <= MaxAxisRecords; ++axis) {
        const std::string value = ReadProfileValue(path, ConfigFileSection, AxisValueName(axis));
        if (value.empty()) continue;
        ++copy.axes;
        // What Open File would refuse: the driver held something other than a record.
        if (copy.damagedKey.empty() && !DecodeRecordText(value)) copy.damagedKey = AxisValueName(axis);
    }
    return copy;
}

}  // namespace

DriverBackup BackUpDriverIoConfig(ControllerNumber controllerNumber, const std::string& folder,
                                  const BackupOccasion& occasion) {
    const std::vector<StoredAxisValue> values = ReadStoredAxisValues(controllerNumber);
    if (values.empty()) return {};
    DriverBackup backup;
    backup.error = CreateFolderPath(folder);
    if (backup.error != 0) {
        backup.path = BackupPath(folder, controllerNumber, occasion.taken, 1);
        return backup;
    }
    RemoveNewFilesLeftBehind(folder, NewFilesOlderThanSeconds);
    const std::vector<ProfileEntry> entries = BackupEntries(controllerNumber, occasion, values);
    // Named only once whole and read back: no empty or partial copy is ever
    // there to be taken for a real one.
    backup.error = WriteNewWholeFile(
        folder, [&](int copy) { return BackupPath(folder, controllerNumber, occasion.taken, copy); },
        [&](const std::string& newFile) { return WriteProfileEntries(newFile, entries); },
        [&](const std::string& newFile) { return FirstEntryNotReadBack(newFile, entries); }, backup.path,
        &backup.differingKey);
    if (backup.path.empty()) backup.path = BackupPath(folder, controllerNumber, occasion.taken, 1);
    return backup;
}

std::vector<BackupCopy> ListBackups(const std::string& folder, int* skipped) {
    std::vector<BackupCopy> copies;
    if (skipped != nullptr) *skipped = 0;
    WIN32_FIND_DATAA found;
    const UniqueFind search(FindFirstFileA((folder + "\\*.tvxio").c_str(), &found));
    if (!search.IsOpen()) return copies;
    do {
        BackupCopy copy = ReadBackupCopy(folder + "\\" + found.cFileName);
        if (!copy.controller.empty() && !copy.taken.empty() && copy.axes > 0) copies.push_back(std::move(copy));
        else if (skipped != nullptr) ++*skipped;
    } while (FindNextFileA(search.Get(), &found));
    std::sort(copies.begin(), copies.end(), [](const BackupCopy& a, const BackupCopy& b) {
        if (a.taken != b.taken) return a.taken > b.taken;
        const int aNumber = CopyNumberOf(a.path), bNumber = CopyNumberOf(b.path);
        return aNumber != bNumber ? aNumber > bNumber : a.path > b.path;
    });
    return copies;
}
