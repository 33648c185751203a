// tvxio's own sentences, each written once: the lines it prints on stdout,
// and on stderr what keeps a command from doing its work, each after
// "tvxio: ". The engine's sentences (controller/messages.h) it says as its
// own: without "Quillet" before "could not", on one line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "ioconfig/controller_number.h"

// Trouble: the lines on stderr

// The engine's sentence, which speaks for Quillet, as tvxio's own.
std::string InTvxiosWords(std::string line);

// The command line

std::string NoCommandTrouble();
std::string UnknownCommandTrouble(const std::string& command);
std::string UnknownOptionTrouble(const std::string& word);
// "-b needs a controller number", "--note needs a text", followed by the
// command's usage line when the command is known (usage not null).
std::string MissingValueTrouble(const std::string& option, const char* usage);
std::string NotAControllerNumberTrouble(const std::string& text);
std::string OperandCountTrouble(const std::string& command, size_t count);
// An option the command does not take, or two that exclude each other,
// followed by the command's usage line.
std::string OptionNotTakenTrouble(const std::string& option, const std::string& command, const char* usage);
std::string OptionsExcludeTrouble(const std::string& one, const std::string& other, const char* usage);
std::string BomWithoutCsvTrouble(const char* usage);
// After the usage lines of the commands.
constexpr const char* UsageEnd =
    "       tvxio --help | /? | --version\n"
    "SOURCE, OLD, NEW: a .tvxio file, board[:N] (the controller's current configuration)\n"
    "or stored[:N] (the values its driver stores for its next restart). Without N, the\n"
    "controller selected in Quillet. -b N may also be written --board=N.\n";

// The controller libraries

std::string LibrarySearchTrouble();
std::string ApiLibraryTrouble();

// Files

std::string UnusablePathTrouble(const std::string& operand, uint32_t error);
std::string UnreadableFileTrouble(const std::string& path, uint32_t error);
std::string DamagedValueTrouble(const std::string& path, const std::string& key);
std::string NoRecordsTrouble(const std::string& path, const std::string& key);
std::string FolderTrouble(const std::string& path);
std::string SaveTrouble(const std::string& path, uint32_t error, const std::string& differingKey);
// A file's trouble as git's textconv shows it: "cannot read FILE: REASON".
std::string CannotReadTrouble(const std::string& trouble);

// The controller and its stored values

std::string NotOpenedTrouble(ControllerNumber controllerNumber);
std::string NotReadTrouble(ControllerNumber controllerNumber);
std::string ChannelsNotReadTrouble(ControllerNumber controllerNumber);

// show

std::string NothingStoredText(ControllerNumber controllerNumber);

// read

std::string NoAxesToReadTrouble(ControllerNumber controllerNumber, const std::string& path);
// "Read 8 axes from controller 0 into PATH."
std::string ReadIntoText(int axes, ControllerNumber controllerNumber, const std::string& path);

// write

// Stopped before anything was tried, unless --force.
std::string ConflictsTrouble(const std::string& path, ControllerNumber controllerNumber);
std::string UncheckedTrouble(const std::string& unchecked);
std::string WaitingForRestartText(ControllerNumber controllerNumber);
std::string StoredFromText(int axes, ControllerNumber controllerNumber, const std::string& path);
constexpr const char* NoCopyMadeText = "Nothing was stored before: no copy made.";
std::string CopyMadeText(const std::string& copyPath);
// Added to the store's failure when it was refused access.
constexpr const char* ElevationHint = "Writing to the driver needs an elevated prompt (Run as administrator).";
std::string HoldsAssignmentsText(ControllerNumber controllerNumber, const std::string& path);
// The write stands, but is not in the journal.
std::string UnjournalledTrouble(uint32_t error);

// backups

std::string NoCopiesText(std::optional<ControllerNumber> controllerNumber, const std::string& folder);
std::string SkippedFilesText(int skipped, const std::string& folder);
// In place of a copy's count of axes: "damaged values: Axis1IOConfig".
std::string DamagedCopyText(const std::string& damagedKey);

// log

std::string JournalUnreadableTrouble(uint32_t error);
std::string NoEntriesText(std::optional<ControllerNumber> controllerNumber, const std::string& journal);
std::string SkippedLinesText(int skipped, const std::string& journal);
