// tvxio: Quillet's assignments from a script. Shows, checks and compares
// .tvxio files, the board's current configuration and the values the driver
// stores; reads the board into a file and writes a file to the driver. The
// engine and the pure code do the work; this file parses and prints.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/settings.h"
#include "controller/config_file.h"
#include "controller/controller_io.h"
#include "controller/driver_backup.h"
#include "controller/driver_store.h"
#include "controller/library_binding.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/store_names.h"

namespace {

constexpr const char* Version = "tvxio 1.0.0";
constexpr const char* Usage =
    "usage: tvxio show SOURCE [--csv]\n"
    "       tvxio check SOURCE [-b N]\n"
    "       tvxio diff OLD NEW\n"
    "       tvxio read FILE [-b N]\n"
    "       tvxio write FILE [-b N] [--force]\n"
    "       tvxio backups [-b N]\n"
    "       tvxio --help | --version\n"
    "SOURCE, OLD, NEW: a .tvxio file, board[:N] (the controller's current configuration)\n"
    "or stored[:N] (the values its driver stores for its next restart). Without N, the\n"
    "controller selected in Quillet.\n";

constexpr int AllWell = 0;
constexpr int Found = 1;
constexpr int TroubleStatus = 2;

// Anything that keeps a command from doing its work: one line on stderr.
struct Trouble {
    std::string line;
};

struct Arguments {
    std::string command;
    std::vector<std::string> operands;
    std::optional<uint16_t> controller;  // -b N
    bool csv = false;
    bool force = false;
};

// The number as the driver names controllers: its low 16 bits.
uint16_t ControllerNumberFrom(const std::string& text) {
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') throw Trouble{"not a controller number: " + text};
    return static_cast<uint16_t>(number & 0xFFFF);
}

Arguments ParseArguments(int argc, char** argv) {
    if (argc < 2) throw Trouble{"no command given; tvxio --help lists them"};
    Arguments arguments;
    arguments.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--csv") arguments.csv = true;
        else if (word == "--force") arguments.force = true;
        else if (word == "-b" && i + 1 < argc) arguments.controller = ControllerNumberFrom(argv[++i]);
        else if (word.size() > 1 && word[0] == '-') throw Trouble{"unknown option " + word};
        else arguments.operands.push_back(word);
    }
    return arguments;
}

void ExpectOperands(const Arguments& arguments, size_t count) {
    if (arguments.operands.size() != count)
        throw Trouble{"tvxio " + arguments.command + " takes " + std::to_string(count) +
                      (count == 1 ? " operand" : " operands") + "; tvxio --help shows how"};
}

// Quillet's own settings: the controller selected in the window, and the
// folder of the copies.
AppState& Settings() {
    static AppState state = [] {
        AppState loaded{};
        SetUpSettingsPaths(loaded);
        LoadSettings(loaded);
        return loaded;
    }();
    return state;
}

uint16_t ControllerOf(const Arguments& arguments) {
    return arguments.controller.value_or(ControllerNumber(Settings()));
}

std::string Controller(uint16_t number) { return "controller " + ControllerNumberText(number); }

// Bound only by the commands that need the board, so that the file commands
// work where the controller software is not installed.
void BindBoard() {
    static bool bound = false;
    if (bound) return;
    if (!RestrictLibrarySearchToProgramFolder())
        throw Trouble{"cannot keep the controller libraries from being loaded from the current folder"};
    if (BindApiLibrary() != BindSucceeded)
        throw Trouble{"kxapi32.dll is missing or older than version 340 of the Kestrix API"};
    bound = true;
}

struct Source {
    enum class Kind { File, Board, Stored } kind = Kind::File;
    std::string path;
    uint16_t controller = 0;
};

Source ParseSource(const std::string& text, const Arguments& arguments) {
    for (const auto& [name, kind] : {std::pair{std::string("board"), Source::Kind::Board},
                                     std::pair{std::string("stored"), Source::Kind::Stored}}) {
        if (text == name) return {kind, "", ControllerOf(arguments)};
        if (text.rfind(name + ":", 0) == 0) return {kind, "", ControllerNumberFrom(text.substr(name.size() + 1))};
    }
    return {Source::Kind::File, text, ControllerOf(arguments)};
}

IoConfigImage ReadFile(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw Trouble{"cannot read " + path + ": " + SystemErrorText(GetLastError())};
    IoConfigImage image;
    const ConfigFileRead read = ReadIoConfigFile(path, image);
    if (read.status == ConfigFileReadStatus::Damaged)
        throw Trouble{path + ": the value of " + read.key + " is damaged"};
    if (read.status == ConfigFileReadStatus::NoRecords) throw Trouble{path + ": holds no " + read.key + " value"};
    return image;
}

IoConfigImage ReadBoard(uint16_t controller) {
    BindBoard();
    IoConfigImage image;
    switch (ReadControllerIoConfig(controller, image)) {
        case ControllerRead::NotOpened: throw Trouble{Controller(controller) + " cannot be opened"};
        case ControllerRead::Failed: throw Trouble{"the I/O configuration of " + Controller(controller) + " cannot be read"};
        case ControllerRead::Read: break;
    }
    return image;
}

IoConfigImage Load(const Source& source) {
    switch (source.kind) {
        case Source::Kind::Board: return ReadBoard(source.controller);
        case Source::Kind::Stored: return ReadStoredIoConfig(source.controller);
        case Source::Kind::File: break;
    }
    return ReadFile(source.path);
}

void Print(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

void PrintFindings(const std::vector<Finding>& findings) {
    for (const Finding& finding : findings)
        std::printf("%s: %s\n", finding.level == FindingLevel::Error ? "error" : "warning", finding.sentence.c_str());
}

int Show(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const IoConfigImage image = Load(ParseSource(arguments.operands[0], arguments));
    Print(arguments.csv ? ListAssignmentsCsv(image) : ListAssignments(image));
    return AllWell;
}

int Check(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const Source source = ParseSource(arguments.operands[0], arguments);
    const IoConfigImage image = Load(source);
    std::vector<Finding> findings;
    if (source.kind != Source::Kind::File || arguments.controller) {
        BindBoard();
        const std::optional<ChannelConfiguration> channels = ReadChannelConfiguration(source.controller);
        if (!channels) throw Trouble{"the channel configuration of " + Controller(source.controller) + " cannot be read"};
        findings = CheckAssignments(image, *channels);
    } else {
        findings = CheckAssignments(image);
    }
    PrintFindings(findings);
    const int errors = CountFindings(findings, FindingLevel::Error);
    std::printf("%d errors, %d warnings\n", errors, CountFindings(findings, FindingLevel::Warning));
    return errors == 0 ? AllWell : Found;
}

int Diff(const Arguments& arguments) {
    ExpectOperands(arguments, 2);
    const IoConfigImage oldImage = Load(ParseSource(arguments.operands[0], arguments));
    const IoConfigImage newImage = Load(ParseSource(arguments.operands[1], arguments));
    const std::vector<std::string> lines = DiffAssignments(oldImage, newImage);
    Print(lines);
    return lines.empty() ? AllWell : Found;
}

int Read(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const std::string& path = arguments.operands[0];
    const uint16_t controller = ControllerOf(arguments);
    const IoConfigImage image = ReadBoard(controller);
    if (const uint32_t error = WriteIoConfigFile(path, image))
        throw Trouble{"cannot save " + path + ": " + SystemErrorText(error)};
    std::printf("Read %d axes from %s into %s.\n", AxisRecordsInUse(image), Controller(controller).c_str(), path.c_str());
    return AllWell;
}

std::string DriverTrouble(uint32_t error) {
    std::string text = SystemErrorText(error);
    if (error == ERROR_ACCESS_DENIED) text += " Writing to the driver needs an elevated prompt (Run as administrator).";
    return text;
}

int Write(const Arguments& arguments) {
    ExpectOperands(arguments, 1);
    const std::string& path = arguments.operands[0];
    const uint16_t controller = ControllerOf(arguments);
    const IoConfigImage image = ReadFile(path);
    const std::vector<Finding> findings = CheckAssignments(image);
    if (CountFindings(findings, FindingLevel::Error) != 0) {
        PrintFindings(findings);
        if (!arguments.force) {
            std::printf("Not written: %s has conflicts (--force writes it anyway).\n", path.c_str());
            return Found;
        }
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    const DriverBackup backup = BackUpDriverIoConfig(controller, BackupFolder(Settings()), "Write", now);
    if (backup.error != 0)
        throw Trouble{"cannot keep a copy of the values stored for " + Controller(controller) + " in " + backup.path +
                      ": " + SystemErrorText(backup.error) + " Nothing was changed on " + Controller(controller) + "."};
    const uint32_t storeError = WriteDriverIoConfig(controller, image);
    const uint32_t restartError = RestartController(controller);
    std::printf("Stored %d axes for %s from %s.\n", AxisRecordsInUse(image), Controller(controller).c_str(), path.c_str());
    if (backup.path.empty()) std::printf("Nothing was stored before: no copy made.\n");
    else std::printf("The values stored before are in %s.\n", backup.path.c_str());
    if (storeError != 0)
        throw Trouble{"the I/O configuration stored for " + Controller(controller) +
                      " could not be updated: " + DriverTrouble(storeError)};
    if (restartError != 0)
        throw Trouble{"could not restart " + Controller(controller) + ": " + SystemErrorText(restartError) +
                      " It takes up the stored assignments at its next restart."};
    return AllWell;
}

struct Copy {
    std::string path;
    std::string controller;
    std::string taken;
    std::string before;
    int axes = 0;
};

std::string BackupValue(const std::string& path, const char* section, const std::string& key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, path.c_str());
    return value;
}

std::vector<Copy> FindCopies(const std::string& folder) {
    std::vector<Copy> copies;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.tvxio").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return copies;
    do {
        Copy copy;
        copy.path = folder + "\\" + found.cFileName;
        copy.controller = BackupValue(copy.path, "Backup", "Controller");
        copy.taken = BackupValue(copy.path, "Backup", "Taken");
        copy.before = BackupValue(copy.path, "Backup", "Before");
        for (int axis = 1; axis <= MaxAxisRecords; ++axis)
            if (!BackupValue(copy.path, ConfigFileSection, AxisValueName(axis)).empty()) ++copy.axes;
        copies.push_back(copy);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return copies;
}

int Backups(const Arguments& arguments) {
    ExpectOperands(arguments, 0);
    std::vector<Copy> copies = FindCopies(BackupFolder(Settings()));
    if (arguments.controller) {
        const std::string wanted = ControllerNumberText(*arguments.controller);
        std::erase_if(copies, [&](const Copy& copy) { return copy.controller != wanted; });
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        return a.taken != b.taken ? a.taken > b.taken : a.path > b.path;
    });
    for (const Copy& copy : copies)
        std::printf("%s  controller %s  %s  before %s  %d axes\n", copy.path.c_str(), copy.controller.c_str(),
                    copy.taken.c_str(), copy.before.c_str(), copy.axes);
    return AllWell;
}

int Run(int argc, char** argv) {
    const Arguments arguments = ParseArguments(argc, argv);
    if (arguments.command == "--help" || arguments.command == "-h") {
        std::printf("%s", Usage);
        return AllWell;
    }
    if (arguments.command == "--version") {
        std::printf("%s\n", Version);
        return AllWell;
    }
    const std::pair<const char*, int (*)(const Arguments&)> commands[] = {
        {"show", Show}, {"check", Check}, {"diff", Diff}, {"read", Read}, {"write", Write}, {"backups", Backups}};
    for (const auto& [name, command] : commands)
        if (arguments.command == name) return command(arguments);
    throw Trouble{"unknown command " + arguments.command + "; tvxio --help lists them"};
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const Trouble& trouble) {
        std::fflush(stdout);
        std::fprintf(stderr, "tvxio: %s\n", trouble.line.c_str());
        return TroubleStatus;
    }
}
