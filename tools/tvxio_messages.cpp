#include "tools/tvxio_messages.h"

#include <string_view>

#include "controller/journal.h"
#include "controller/messages.h"
#include "ioconfig/counted_words.h"
#include "ioconfig/messages.h"
#include "ioconfig/store_names.h"

namespace {

constexpr const char* ListsThem = "; tvxio --help lists them";

std::string WithUsage(const char* usage) { return std::string("; usage: ") + usage; }

constexpr const char* Forcing = " (--force writes it anyway)";

// " of controller N", or nothing for every controller.
std::string OfController(std::optional<ControllerNumber> controllerNumber) {
    return controllerNumber ? " of " + NamedController(*controllerNumber) : "";
}

std::string NoneIn(const char* what, std::optional<ControllerNumber> controllerNumber, const std::string& place) {
    return std::string("No ") + what + OfController(controllerNumber) + " in " + place + ".";
}

std::string Skipped(int skipped, const char* one, const char* many, const std::string& where, const char* as) {
    return "Skipped " + Counted(skipped, one, many) + where + " that " + (skipped == 1 ? "does" : "do") +
           " not read as " + as + ".";
}

}  // namespace

// Trouble: the lines on stderr

std::string InTvxiosWords(std::string line) {
    constexpr std::string_view quillet = "Quillet could not";
    if (line.starts_with(quillet)) line.erase(0, quillet.size() - std::string_view("could not").size());
    return line;
}

// The command line

std::string NoCommandTrouble() { return std::string("no command given") + ListsThem; }

std::string UnknownCommandTrouble(const std::string& command) { return "unknown command " + command + ListsThem; }

std::string UnknownOptionTrouble(const std::string& word) { return "unknown option " + word; }

std::string MissingValueTrouble(const std::string& option, const char* usage) {
    const std::string needs = option + (option == "-b" ? " needs a controller number" : " needs a text");
    return usage == nullptr ? needs : needs + WithUsage(usage);
}

std::string NotAControllerNumberTrouble(const std::string& text) { return "not a controller number: " + text; }

std::string OperandCountTrouble(const std::string& command, size_t count) {
    return "tvxio " + command + " takes " + std::to_string(count) + (count == 1 ? " operand" : " operands") +
           "; tvxio --help shows how";
}

std::string OptionNotTakenTrouble(const std::string& option, const std::string& command, const char* usage) {
    return option + " does not apply to tvxio " + command + WithUsage(usage);
}

std::string OptionsExcludeTrouble(const std::string& one, const std::string& other, const char* usage) {
    return one + " and " + other + " exclude each other" + WithUsage(usage);
}

std::string BomWithoutCsvTrouble(const char* usage) { return "--bom goes with --csv" + WithUsage(usage); }

// The controller libraries

std::string LibrarySearchTrouble() { return std::string("cannot ") + LibrarySearchFailure; }

std::string ApiLibraryTrouble() { return "kxapi32.dll is missing or older than version 340 of the Kestrix API"; }

// Files

std::string UnusablePathTrouble(const std::string& operand, uint32_t error) {
    return "cannot use the path " + operand + ": " + SystemErrorText(error);
}

std::string UnreadableFileTrouble(const std::string& path, uint32_t error) {
    return "cannot read " + path + ": " + SystemErrorText(error);
}

std::string DamagedValueTrouble(const std::string& path, const std::string& key) {
    return path + ": the value of " + key + " is damaged";
}

std::string NoRecordsTrouble(const std::string& path, const std::string& key) {
    return path + ": holds no " + key + " value";
}

std::string FolderTrouble(const std::string& path) { return path + ": is a folder"; }

std::string SaveTrouble(const std::string& path, uint32_t error, const std::string& differingKey) {
    return "cannot save " + path + ": " + WholeFileFailureText(error, differingKey);
}

std::string CannotReadTrouble(const std::string& trouble) {
    constexpr std::string_view cannotRead = "cannot read ";
    return trouble.starts_with(cannotRead) ? trouble : std::string(cannotRead) + trouble;
}

// The controller and its stored values

std::string NotOpenedTrouble(ControllerNumber controllerNumber) {
    return NamedController(controllerNumber) + " cannot be opened";
}

std::string NotReadTrouble(ControllerNumber controllerNumber) {
    return "the I/O configuration of " + NamedController(controllerNumber) + " cannot be read";
}

std::string ChannelsNotReadTrouble(ControllerNumber controllerNumber) {
    return "the channel configuration of " + NamedController(controllerNumber) + " cannot be read";
}

// show

std::string NothingStoredText(ControllerNumber controllerNumber) {
    return "Nothing is stored for " + NamedController(controllerNumber) + ".";
}

// read

std::string NoAxesToReadTrouble(ControllerNumber controllerNumber, const std::string& path) {
    return NamedController(controllerNumber) + " has no axes in use: nothing was written to " + path;
}

std::string ReadIntoText(int axes, ControllerNumber controllerNumber, const std::string& path) {
    return "Read " + Counted(axes, "axis", "axes") + " from " + NamedController(controllerNumber) + " into " + path +
           ".";
}

// write

std::string ConflictsTrouble(const std::string& path, ControllerNumber controllerNumber) {
    return "not written: " + path + " has conflicts for " + NamedController(controllerNumber) + Forcing;
}

std::string UncheckedTrouble(const std::string& unchecked) { return "not written: " + unchecked + Forcing; }

std::string WaitingForRestartText(ControllerNumber controllerNumber) {
    return "Waiting for " + NamedController(controllerNumber) + " to restart...";
}

std::string StoredFromText(int axes, ControllerNumber controllerNumber, const std::string& path) {
    return StoredAxesText(axes, controllerNumber) + " from " + path + ".";
}

std::string CopyMadeText(const std::string& copyPath) { return "The values stored before are in " + copyPath + "."; }

std::string HoldsAssignmentsText(ControllerNumber controllerNumber, const std::string& path) {
    return "Controller " + ControllerNumberText(controllerNumber) + " holds the assignments of " + path + ".";
}

// "the write was not added...", as tvxio's lines begin.
std::string UnjournalledTrouble(uint32_t error) {
    std::string line = JournalFailureText("write", error);
    line[0] = 't';
    return line;
}

// backups

std::string NoCopiesText(std::optional<ControllerNumber> controllerNumber, const std::string& folder) {
    return NoneIn("copies", controllerNumber, folder);
}

std::string SkippedFilesText(int skipped, const std::string& folder) {
    return Skipped(skipped, "file", "files", " in " + folder, "a copy");
}

std::string DamagedCopyText(const std::string& damagedKey) { return "damaged values: " + damagedKey; }

// log

std::string JournalUnreadableTrouble(uint32_t error) {
    return UnreadableFileTrouble("the journal " + JournalPath(), error);
}

std::string NoEntriesText(std::optional<ControllerNumber> controllerNumber, const std::string& journal) {
    return NoneIn("entries", controllerNumber, journal);
}

std::string SkippedLinesText(int skipped, const std::string& journal) {
    return Skipped(skipped, "line", "lines", " of " + journal, "an entry");
}
