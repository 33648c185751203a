// One Write or Reset as the journal keeps it: who ran it where, on which
// controller, from what, with what result and which changes. A line of the
// journal is one entry as a JSON object.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ioconfig/controller_number.h"

struct JournalEntry {
    std::string time;      // local, ISO 8601 with its UTC offset
    std::string user;      // domain\name
    std::string computer;
    std::string program;   // "quillet 1.0.0", "tvxio 1.0.0"
    ControllerNumber controller;
    std::string command;   // "write", "reset"
    std::string source;    // the file's full path, or "controller N"
    std::string sha256;    // of the source file; empty when it is none
    std::string copy;      // the copy made before; empty when none
    std::string result;    // one of the JournalResult words
    std::string reason;    // why not done; empty when done
    std::vector<std::string> changes;  // as tvxio diff words them
    std::string note;
};

// The results, from best to worst.
namespace JournalResult {
constexpr const char* Verified = "verified";       // written, and the controller holds it
constexpr const char* Done = "done";               // a reset, or a write that was not read back
constexpr const char* NotChecked = "not checked";  // written, but could not be read back
constexpr const char* Differs = "differs";         // written, but the controller holds otherwise
constexpr const char* Refused = "refused";         // another writer held the controller: nothing changed
constexpr const char* Failed = "failed";           // the copy, the store or the restart failed
}  // namespace JournalResult

// As the Windows Event Log grades its events: done and verified is
// information, differs or not checked a warning, refused or failed an error.
enum class EventLevel { Information, Warning, Error };
EventLevel LevelOf(const JournalEntry& entry);

// One JSON object without a line break; empty fields are null.
std::string JournalLine(const JournalEntry& entry);
// Nothing for a line that is no entry.
std::optional<JournalEntry> ReadJournalLine(const std::string& line);

// What `tvxio log` lists: time, user, controller, command, result, source.
std::string JournalListLine(const JournalEntry& entry);
std::vector<std::string> JournalCsvRows(const std::vector<JournalEntry>& entries);
