// tvxio: Quillet's assignments from a script. Shows, checks and compares
// .tvxio files, the board's current configuration and the values the driver
// stores; reads the board into a file and writes a file to the driver. The
// engine and the pure code do the work; this file parses and prints.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controller/config_file.h"
#include "controller/controller_io.h"
#include "controller/driver_backup.h"
#include "controller/journal.h"
#include "ioconfig/json_text.h"
#include "controller/driver_store.h"
#include "controller/driver_update.h"
#include "controller/library_binding.h"
#include "controller/messages.h"
#include "controller/quillet_settings.h"
#include "controller/system_error.h"
#include "controller/target_check.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/counted_words.h"
#include "ioconfig/csv_text.h"
#include "ioconfig/io_map.h"
#include "ioconfig/messages.h"
#include "ioconfig/store_names.h"
#include "res/version.h"
#include "tools/console_text.h"
#include "tools/tvxio_json.h"
#include "tools/tvxio_messages.h"

namespace {

constexpr const char* Version = "tvxio " QUILLET_VERSION_TEXT;

constexpr int AllWell = 0;
constexpr int Found = 1;
constexpr int TroubleStatus = 2;

// Anything that keeps a command from doing its work: one line on stderr.
struct Trouble {
    std::string line;
};

// The engine's sentences speak for Quillet; tvxio says them as its own.
void PrintTrouble(const std::string& line) {
    PrintText(stderr, "tvxio: %s\n", InTvxiosWords(line).c_str());
}

struct Arguments {
    std::string command;
    std::vector<std::string> operands;
    std::vector<std::string> options;  // as given, --board=N as -b
    std::optional<ControllerNumber> controller;  // -b N or --board=N
    bool csv = false;
    bool bom = false;  // CSV for Excel
    bool html = false;
    bool json = false;  // one document for scripts instead of the text
    bool lines = false;  // a line a signal, for comparing files line by line
    bool force = false;
    std::string note;  // for the copy write keeps
};

ControllerNumber ControllerNumberFrom(const std::string& text) {
    const std::optional<ControllerNumber> number = ParseControllerNumber(text);
    if (!number) throw Trouble{NotAControllerNumberTrouble(text)};
    return *number;
}

constexpr std::string_view LongBoardOption = "--board=";

const char* UsageOf(const std::string& command);

// The word after an option that takes one.
std::string ValueOf(const std::string& option, int& i, int argc, char** argv, const Arguments& arguments) {
    if (i + 1 >= argc) throw Trouble{MissingValueTrouble(option, UsageOf(arguments.command))};
    return argv[++i];
}

Arguments ParseArguments(int argc, char** argv) {
    if (argc < 2) throw Trouble{NoCommandTrouble()};
    Arguments arguments;
    arguments.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--csv") arguments.csv = true;
        else if (word == "--bom") arguments.bom = true;
        else if (word == "--html") arguments.html = true;
        else if (word == "--json") arguments.json = true;
        else if (word == "--lines") arguments.lines = true;
        else if (word == "--force") arguments.force = true;
        else if (word == "--note") arguments.note = ValueOf(word, i, argc, argv, arguments);
        else if (word == "-b") arguments.controller = ControllerNumberFrom(ValueOf(word, i, argc, argv, arguments));
        else if (word.starts_with(LongBoardOption))
            arguments.controller = ControllerNumberFrom(word.substr(LongBoardOption.size()));
        else if (word.size() > 1 && word[0] == '-') throw Trouble{UnknownOptionTrouble(word)};
        else {
            arguments.operands.push_back(word);
            continue;
        }
        arguments.options.push_back(word.starts_with(LongBoardOption) ? "-b" : word);
    }
    return arguments;
}

void ExpectOperands(const Arguments& arguments, size_t count) {
    if (arguments.operands.size() != count)
        throw Trouble{OperandCountTrouble(arguments.command, count)};
}

// Quillet's own settings: the controller selected in the window, and where
// the copies go. Read only by the commands that need one of them; tvxio
// creates no folder for them.
const QuilletSettings& Settings() {
    static const QuilletSettings settings = [] {
        QuilletSettings read = LocateSettings(false);
        ReadSettings(read);
        return read;
    }();
    return settings;
}

ControllerNumber ControllerOf(const Arguments& arguments) {
    if (arguments.controller) return *arguments.controller;
    return LenientControllerNumber(Settings().controllerId);
}

std::string Copies() { return CopiesFolder(Settings().path); }

// The profile functions take a bare name as one in the Windows folder: every
// file operand is made whole against the current folder first.
std::string FullPath(const std::string& operand) {
    char path[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(operand.c_str(), sizeof path, path, &name);
    if (length == 0 || length >= sizeof path)
        throw Trouble{UnusablePathTrouble(operand, LastErrorOr(ERROR_FILENAME_EXCED_RANGE))};
    return path;
}

// Bound only by the commands that need the board, so that the file commands
// work where the controller software is not installed.
void BindBoard() {
    static bool bound = false;
    if (bound) return;
    if (!RestrictLibrarySearchToProgramFolder()) throw Trouble{LibrarySearchTrouble()};
    if (BindApiLibrary() != BindSucceeded) throw Trouble{ApiLibraryTrouble()};
    bound = true;
}

// Write reads the controller back when it can; without the library the
// check says why it could not.
void TryToBindBoard() {
    try {
        BindBoard();
    } catch (const Trouble&) {
    }
}

// A file's source names no controller.
struct Source {
    enum class Kind { File, Board, Stored } kind = Kind::File;
    std::string path;
    ControllerNumber controller;
};

Source ParseSource(const std::string& text, const Arguments& arguments) {
    for (const auto& [name, kind] : {std::pair{std::string("board"), Source::Kind::Board},
                                     std::pair{std::string("stored"), Source::Kind::Stored}}) {
        if (text == name) return {kind, "", ControllerOf(arguments)};
        if (text.rfind(name + ":", 0) == 0) return {kind, "", ControllerNumberFrom(text.substr(name.size() + 1))};
    }
    return {Source::Kind::File, FullPath(text), {}};
}

IoConfigImage ReadFile(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw Trouble{UnreadableFileTrouble(path, GetLastError())};
    IoConfigImage image;
    const ConfigFileRead read = ReadIoConfigFile(path, image);
    if (read.status == ConfigFileReadStatus::Damaged) throw Trouble{DamagedValueTrouble(path, read.key)};
    if (read.status == ConfigFileReadStatus::NoRecords) throw Trouble{NoRecordsTrouble(path, read.key)};
    if (read.status == ConfigFileReadStatus::Folder) throw Trouble{FolderTrouble(path)};
    if (read.status == ConfigFileReadStatus::Unreadable) throw Trouble{UnreadableFileTrouble(path, read.error)};
    return image;
}

IoConfigImage ReadBoard(ControllerNumber controller) {
    BindBoard();
    IoConfigImage image;
    switch (ReadControllerIoConfig(controller, image)) {
        case ControllerRead::NotOpened: throw Trouble{NotOpenedTrouble(controller)};
        case ControllerRead::Failed: throw Trouble{NotReadTrouble(controller)};
        case ControllerRead::Read: break;
    }
    return image;
}

IoConfigImage ReadStored(ControllerNumber controller) {
    const StoredIoConfig stored = ReadStoredIoConfig(controller);
    if (!stored.refusedValue.empty()) throw Trouble{RefusedStoredValueText(controller, stored.refusedValue)};
    return stored.image;
}

IoConfigImage Load(const Source& source) {
    switch (source.kind) {
        case Source::Kind::Board: return ReadBoard(source.controller);
        case Source::Kind::Stored: return ReadStored(source.controller);
        case Source::Kind::File: break;
    }
    return ReadFile(source.path);
}

void Print(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) PrintText(stdout, "%s\n", line.c_str());
}

// With --bom, CSV for Excel: it begins with the byte-order mark.
void PrintCsvOr(const Arguments& arguments, const std::vector<std::string>& csv, const std::vector<std::string>& text) {
    if (!arguments.csv) return Print(text);
    if (arguments.bom) WriteText(stdout, Utf8ByteOrderMark);
    Print(csv);
}

// With --json, the document on a line of its own instead of the text.
void PrintJson(const std::string& document) { WriteText(stdout, document + "\n"); }

void PrintFindings(const std::vector<Finding>& findings) {
    for (const Finding& finding : findings)
        PrintText(stdout, "%s: %s\n", finding.level == FindingLevel::Error ? "error" : "warning", finding.sentence.c_str());
}

// What a file holds that tvxio cannot show as it is: on stdout with the
// text, as the checks' warnings; on stderr when stdout carries a document.
void PrintWarning(const Arguments& arguments, const std::string& sentence) {
    PrintText(arguments.csv || arguments.html || arguments.json ? stderr : stdout, "warning: %s\n", sentence.c_str());
}

// A file's [ChannelLabels], a label too long said; the board and the driver
// keep none.
ChannelLabels LabelsOf(const Source& source, const Arguments& arguments) {
    if (source.kind != Source::Kind::File) return {};
    std::vector<int> cut;
    ChannelLabels labels = ReadChannelLabels(source.path, &cut);
    if (!cut.empty()) PrintWarning(arguments, LongLabelsText(cut));
    return labels;
}

// What Quillet does not read of a file, said in one warning.
std::vector<std::string> UnreadOf(const Source& source, const IoConfigImage& image, const Arguments& arguments) {
    if (source.kind != Source::Kind::File) return {};
    std::vector<std::string> unread = UnreadKeys(source.path, GetAxisCount(image));
    if (!unread.empty()) PrintWarning(arguments, UnreadKeysText(source.path, unread));
    return unread;
}

// git's textconv: a file that does not read is shown as its reason, on
// stdout and with success, so that git diff shows the damage and goes on.
std::optional<IoConfigImage> LoadToShow(const Source& source, const Arguments& arguments) {
    if (!arguments.lines || source.kind != Source::Kind::File) return Load(source);
    try {
        return Load(source);
    } catch (const Trouble& trouble) {
        PrintText(stdout, "tvxio: %s\n", CannotReadTrouble(trouble.line).c_str());
        return std::nullopt;
    }
}

int Show(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const Source source = ParseSource(arguments.operands[0], arguments);
    const std::optional<IoConfigImage> loaded = LoadToShow(source, arguments);
    if (!loaded) return AllWell;
    const IoConfigImage& image = *loaded;
    const std::vector<std::string> unread = UnreadOf(source, image, arguments);
    const bool nothingStored = source.kind == Source::Kind::Stored && AxisRecordsInUse(image) == 0;
    if (arguments.json)
        PrintJson(ShowJson(image, LabelsOf(source, arguments), unread,
                           source.kind == Source::Kind::Stored ? std::optional(nothingStored) : std::nullopt));
    else if (nothingStored && !arguments.csv && !arguments.lines)
        PrintText(stdout, "%s\n", NothingStoredText(source.controller).c_str());
    else if (arguments.lines) Print(ListAssignmentLines(image, LabelsOf(source, arguments)));
    else PrintCsvOr(arguments, ListAssignmentsCsv(image), ListAssignments(image));
    return AllWell;
}

// The controller whose channels a command checks against: the source's own,
// or -b N's for a file; none for a file alone.
std::optional<ControllerNumber> ChannelsController(const Source& source, const Arguments& arguments) {
    if (source.kind == Source::Kind::File) return arguments.controller;
    return source.controller;
}

std::optional<ChannelConfiguration> ChannelsOf(std::optional<ControllerNumber> controller) {
    if (!controller) return std::nullopt;
    BindBoard();
    std::optional<ChannelConfiguration> channels = ReadChannelConfiguration(*controller);
    if (!channels) throw Trouble{ChannelsNotReadTrouble(*controller)};
    return channels;
}

// Against the controller, as Write checks them: its axes and its channels.
std::vector<Finding> CheckedAgainst(ControllerNumber controller, const IoConfigImage& image) {
    BindBoard();
    TargetCheck check = CheckAgainstTarget(controller, image);
    if (check.result != TargetCheckResult::Checked) throw Trouble{TargetNotCheckedText(controller, check.result)};
    return std::move(check.findings);
}

int Check(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const Source source = ParseSource(arguments.operands[0], arguments);
    const IoConfigImage image = Load(source);
    const std::vector<std::string> unread = UnreadOf(source, image, arguments);
    const std::optional<ControllerNumber> controller = ChannelsController(source, arguments);
    const std::vector<Finding> findings = controller ? CheckedAgainst(*controller, image) : CheckAssignments(image);
    const int errors = CountFindings(findings, FindingLevel::Error);
    if (arguments.json) PrintJson(CheckJson(image, findings, unread));
    else {
        PrintFindings(findings);
        PrintText(stdout, "%s, %s\n", Counted(errors, "error", "errors").c_str(),
                  Counted(CountFindings(findings, FindingLevel::Warning), "warning", "warnings").c_str());
    }
    return errors == 0 ? AllWell : Found;
}

int Diff(const Arguments& arguments) {
    ExpectOperands(arguments, 2);
    const IoConfigImage oldImage = Load(ParseSource(arguments.operands[0], arguments));
    const IoConfigImage newImage = Load(ParseSource(arguments.operands[1], arguments));
    const std::vector<std::string> lines = DiffAssignments(oldImage, newImage);
    if (arguments.json) PrintJson(DiffJson(oldImage, newImage));
    else Print(lines);
    return lines.empty() ? AllWell : Found;
}

std::string SourceName(const Source& source) {
    switch (source.kind) {
        case Source::Kind::Board: return NamedController(source.controller);
        case Source::Kind::Stored: return StoredValuesName(source.controller);
        case Source::Kind::File: break;
    }
    return source.path;
}

int Map(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const Source source = ParseSource(arguments.operands[0], arguments);
    const IoConfigImage image = Load(source);
    const std::optional<ControllerNumber> controller = ChannelsController(source, arguments);
    const std::optional<ChannelConfiguration> channels = ChannelsOf(controller);
    const std::vector<MappedChannel> map = MapChannels(image, channels, LabelsOf(source, arguments));
    if (arguments.json) PrintJson(MapJson(map, controller));
    else if (arguments.html)
        PrintText(stdout, "%s", IoMapHtml(map, {SourceName(source), controller ? ControllerNumberText(*controller) : "", LocalDateText()})
                              .c_str());
    else PrintCsvOr(arguments, IoMapCsv(map, arguments.bom ? CsvFor::Excel : CsvFor::Scripts),
                    IoMapText(map, channels.has_value()));
    return AllWell;
}

int Read(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const std::string path = FullPath(arguments.operands[0]);
    const ControllerNumber controller = ControllerOf(arguments);
    const IoConfigImage image = ReadBoard(controller);
    const int axes = AxisRecordsInUse(image);
    if (axes == 0) throw Trouble{NoAxesToReadTrouble(controller, path)};
    std::string differingKey;
    if (const uint32_t error = WriteIoConfigFile(path, image, {}, &differingKey))
        throw Trouble{SaveTrouble(path, error, differingKey)};
    PrintText(stdout, "%s\n", ReadIntoText(axes, controller, path).c_str());
    return AllWell;
}

// A restart longer than this is said on stderr, so that a script's log
// shows why the write takes its time.
constexpr unsigned SilentWaitMs = 2000;

// A write stopped before anything was tried; with --json its document says
// so, with the check that stopped it.
[[noreturn]] void StopWrite(const Arguments& arguments, const WriteReport& report, const std::string& why) {
    if (arguments.json) PrintJson(WriteJson(report));
    throw Trouble{why};
}

int Write(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const std::string path = FullPath(arguments.operands[0]);
    const ControllerNumber controller = ControllerOf(arguments);
    const IoConfigImage image = ReadFile(path);
    TryToBindBoard();
    const TargetCheck check = CheckAgainstTarget(controller, image);
    WriteReport report{controller, path, image, check, std::nullopt};
    if (CountFindings(check.findings, FindingLevel::Error) != 0) {
        if (!arguments.json) PrintFindings(check.findings);
        if (!arguments.force)
            StopWrite(arguments, report, ConflictsTrouble(path, controller));
    }
    if (check.result != TargetCheckResult::Checked) {
        const std::string unchecked = TargetNotCheckedText(controller, check.result);
        if (!arguments.force) StopWrite(arguments, report, UncheckedTrouble(unchecked));
        if (!arguments.json) PrintText(stdout, "warning: %s\n", unchecked.c_str());
    }
    bool told = false;
    const DriverUpdateOutcome outcome =
        WriteIoConfigToDriver(controller, image, {Copies(), LocalClock, arguments.note, Version, path, std::nullopt}, [&](unsigned waitedMs) {
            if (told || waitedMs < SilentWaitMs) return;
            PrintText(stderr, "%s\n", WaitingForRestartText(controller).c_str());
            told = true;
        });
    std::vector<std::string> failures = DriverUpdateFailures(controller, outcome);
    report.outcome = outcome;
    if (arguments.json) PrintJson(WriteJson(report));
    else if (outcome.lockError == 0 && outcome.copyError == 0) {
        PrintText(stdout, "%s\n", StoredFromText(AxisRecordsInUse(image), controller, path).c_str());
        PrintText(stdout, "%s\n", outcome.copyPath.empty() ? NoCopyMadeText : CopyMadeText(outcome.copyPath).c_str());
        if (!outcome.damagedKey.empty()) PrintText(stdout, "%s\n", DamagedValuesReplacedText(outcome.damagedKey).c_str());
    }
    // The store's failure comes last.
    if (outcome.storeError == ERROR_ACCESS_DENIED) failures.back() += std::string(" ") + ElevationHint;
    if (!arguments.json && outcome.check.result == WriteCheckResult::Differs) {
        PrintText(stdout, "%s\n", WriteDiffersHeading(controller).c_str());
        Print(outcome.check.differences);
        PrintText(stdout, "%s\n", WriteDiffersClosing);
    }
    if (!arguments.json && outcome.check.result == WriteCheckResult::Verified)
        PrintText(stdout, "%s\n", HoldsAssignmentsText(controller, path).c_str());
    if (outcome.check.result == WriteCheckResult::CouldNotCheck) failures.push_back(WriteCheckText(controller, outcome.check));
    for (const std::string& failure : failures) PrintTrouble(OnOneLine(failure));
    if (outcome.journalError != 0) PrintTrouble(UnjournalledTrouble(outcome.journalError));
    if (!failures.empty()) return TroubleStatus;
    return outcome.check.result == WriteCheckResult::Differs || outcome.journalError != 0 ? Found : AllWell;
}

int Backups(const Arguments& arguments) {
    ExpectOperands(arguments, 0);
    const std::string folder = Copies();
    int skipped = 0;
    std::vector<BackupCopy> copies = ListBackups(folder, &skipped);
    if (arguments.controller) {
        const std::string wanted = ControllerNumberText(*arguments.controller);
        std::erase_if(copies, [&](const BackupCopy& copy) { return copy.controller != wanted; });
    }
    if (arguments.json) {
        PrintJson(BackupsJson(folder, copies, skipped));
        return AllWell;
    }
    if (copies.empty()) PrintText(stdout, "%s\n", NoCopiesText(arguments.controller, folder).c_str());
    for (const BackupCopy& copy : copies)
        PrintText(stdout, "%s  controller %s  %s  before %s  %s%s\n", copy.path.c_str(), copy.controller.c_str(),
                  copy.taken.c_str(), copy.before.c_str(),
                  (copy.damagedKey.empty() ? Counted(copy.axes, "axis", "axes") : DamagedCopyText(copy.damagedKey)).c_str(),
                  copy.note.empty() ? "" : ("  note: " + copy.note).c_str());
    if (skipped != 0) PrintText(stdout, "%s\n", SkippedFilesText(skipped, folder).c_str());
    return AllWell;
}

// The journal, newest first, optionally of one controller.
int Log(const Arguments& arguments) {
    ExpectOperands(arguments, 0);
    uint32_t error = 0;
    int skipped = 0;
    std::vector<JournalEntry> entries = ReadJournal(error, skipped);
    if (error != 0 && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        throw Trouble{JournalUnreadableTrouble(error)};
    std::reverse(entries.begin(), entries.end());
    if (arguments.controller)
        std::erase_if(entries, [&](const JournalEntry& entry) { return entry.controller != *arguments.controller; });
    if (arguments.json) {
        std::vector<std::string> lines;
        for (const JournalEntry& entry : entries) lines.push_back(JournalLine(entry));
        PrintJson(JsonObject({{"schema", JsonNumber(1)}, {"journal", JsonString(JournalPath())},
                              {"entries", JsonArray(lines)}, {"skipped", JsonNumber(skipped)}}));
        return AllWell;
    }
    if (arguments.csv) {
        Print(JournalCsvRows(entries));
        return AllWell;
    }
    if (entries.empty()) PrintText(stdout, "%s\n", NoEntriesText(arguments.controller, JournalPath()).c_str());
    for (const JournalEntry& entry : entries) PrintText(stdout, "%s\n", JournalListLine(entry).c_str());
    if (skipped != 0) PrintText(stdout, "%s\n", SkippedLinesText(skipped, JournalPath()).c_str());
    return AllWell;
}

// Each command, its usage line and the options it takes; -b N names the
// controller of board and stored, and so goes with every command.
struct Command {
    const char* name;
    int (*run)(const Arguments&);
    const char* usage;
    std::vector<std::string_view> options;
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"show", Show, "tvxio show SOURCE [--csv [--bom] | --json | --lines]", {"-b", "--csv", "--bom", "--json", "--lines"}},
        {"check", Check, "tvxio check SOURCE [-b N] [--json]", {"-b", "--json"}},
        {"diff", Diff, "tvxio diff OLD NEW [--json]", {"-b", "--json"}},
        {"map", Map, "tvxio map SOURCE [-b N] [--csv [--bom] | --html | --json]", {"-b", "--csv", "--bom", "--html", "--json"}},
        {"read", Read, "tvxio read FILE [-b N]", {"-b"}},
        {"write", Write, "tvxio write FILE [-b N] [--force] [--note TEXT] [--json]", {"-b", "--force", "--note", "--json"}},
        {"backups", Backups, "tvxio backups [-b N] [--json]", {"-b", "--json"}},
        {"log", Log, "tvxio log [-b N] [--json | --csv]", {"-b", "--json", "--csv"}}};
    return commands;
}

const char* UsageOf(const std::string& command) {
    for (const Command& known : Commands())
        if (command == known.name) return known.usage;
    return nullptr;
}

std::string Usage() {
    std::string usage;
    for (const Command& command : Commands()) usage += (usage.empty() ? "usage: " : "       ") + std::string(command.usage) + "\n";
    return usage + UsageEnd;
}

// An option another command takes, or two that exclude each other, would be
// taken silently: refused instead, with the command's usage.
void ExpectOptionsOf(const Command& command, const Arguments& arguments) {
    for (const std::string& option : arguments.options)
        if (std::find(command.options.begin(), command.options.end(), option) == command.options.end())
            throw Trouble{OptionNotTakenTrouble(option, command.name, command.usage)};
    std::vector<std::string> forms;
    for (const auto& [given, form] : {std::pair{arguments.csv, "--csv"}, std::pair{arguments.html, "--html"},
                                      std::pair{arguments.json, "--json"}, std::pair{arguments.lines, "--lines"}})
        if (given) forms.push_back(form);
    if (forms.size() > 1) throw Trouble{OptionsExcludeTrouble(forms[0], forms[1], command.usage)};
    if (arguments.bom && !arguments.csv) throw Trouble{BomWithoutCsvTrouble(command.usage)};
}

int Run(int argc, char** argv) {
    const Arguments arguments = ParseArguments(argc, argv);
    if (arguments.command == "--help" || arguments.command == "-h" || arguments.command == "/?") {
        PrintText(stdout, "%s", Usage().c_str());
        return AllWell;
    }
    if (arguments.command == "--version") {
        PrintText(stdout, "%s\n", Version);
        return AllWell;
    }
    for (const Command& command : Commands()) {
        if (arguments.command != command.name) continue;
        ExpectOptionsOf(command, arguments);
        return command.run(arguments);
    }
    throw Trouble{UnknownCommandTrouble(arguments.command)};
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const Trouble& trouble) {
        PrintTrouble(trouble.line);
        return TroubleStatus;
    }
}
