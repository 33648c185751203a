// Whole runs of tvxio.exe on files and on the simulated board: its output,
// its exit status, and what it leaves in the registry and the copies.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "controller/driver_backup.h"
#include "controller/journal.h"
#include "controller/messages.h"
#include "tests/support/axis_records.h"
#include "tests/support/child_process.h"
#include "tests/support/driver_keys.h"
#include "tests/support/file_tree.h"
#include "tests/support/pe_file.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/settings_file.h"
#include "tests/support/simulated_board.h"
#include "tools/console_text.h"

namespace {

using Lines = std::vector<std::string>;


FinishedRun RunTvxio(const std::string& arguments, const std::string& program = ProgramFolder() + "\\tvxio.exe") {
    return RunToEnd(program, arguments);
}

// Axis 1 a servo, axis 2 a stepper, every signal on a channel of its own
// (axis 2's half current on none), or with `conflict` both enables on 29.
AxisIoRecord Servo() {
    AxisIoRecord record;
    record.bytes[AxisTypeOffset] = 1;
    const uint8_t channels[] = {1, 9, 17, 41, 25, 0, 33};
    for (int i = 0; i < 7; ++i) record.bytes[16 + i] = channels[i];
    return record;
}

AxisIoRecord Stepper(uint8_t enable) {
    AxisIoRecord record;
    record.bytes[AxisTypeOffset] = 2;
    const uint8_t channels[] = {2, 10, 18, 42, enable, 0, 0};
    for (int i = 0; i < 7; ++i) record.bytes[16 + i] = channels[i];
    return record;
}

class Tvxio : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    void Clean() {
        RemoveDriverKeys();
        const std::string settings = SettingsFilePath();
        RemoveTree(settings.substr(0, settings.find_last_of('\\') + 1) + "Backups");
    }

    std::string File(const std::string& name, const std::string& text) {
        WriteTextFile(folder.File(name), text);
        return folder.File(name);
    }

    std::string TwoAxes(const std::string& name, uint8_t stepperEnable = 26) {
        return File(name, "[TVXIOConfig]\r\nAxis1IOConfig=" + HexText(Servo()) + "\r\nAxis2IOConfig=" +
                              HexText(Stepper(stepperEnable)) + "\r\n");
    }

    ScratchFolder folder;
    SimulatedBoard board;
};

// Started by tests/check_json.py, which reads what it leaves.
class TvxioJson : public Tvxio {};

}  // namespace

TEST_F(Tvxio, ShowListsAFileInTheSummarysLabelsAndAsCsv) {
    const std::string path = TwoAxes("two.tvxio");
    const FinishedRun shown = RunTvxio("show " + path);
    EXPECT_EQ(shown.status, 0u);
    EXPECT_EQ(shown.out, (Lines{"Axis 1: Servo", "  Coarse Home (inp)   1", "  Plus Limit (inp)    9",
                                "  Minus Limit (inp)   17", "  Amp Fault (inp)     41", "  Amp Enable (out)    25",
                                "  Direction (out)     33", "Axis 2: Stepper", "  Coarse Home (inp)   2",
                                "  Plus Limit (inp)    10", "  Minus Limit (inp)   18", "  Drive Fault (inp)   42",
                                "  Drive Enable (out)  26", "  Half Current (out)  --"}));
    const FinishedRun csv = RunTvxio("show " + path + " --csv");
    EXPECT_EQ(csv.status, 0u);
    ASSERT_EQ(csv.out.size(), 13u);
    EXPECT_EQ(csv.out[0], "axis,kind,signal,direction,channel");
    EXPECT_EQ(csv.out[1], "1,Servo,Coarse Home (inp),input,1");
    EXPECT_EQ(csv.out[6], "1,Servo,Direction (out),output,33");
    EXPECT_EQ(csv.out[12], "2,Stepper,Half Current (out),output,");
}

TEST_F(Tvxio, CheckPrintsTheFindingsAndExitsByThem) {
    const FinishedRun clean = RunTvxio("check " + TwoAxes("clean.tvxio"));
    EXPECT_EQ(clean.status, 0u);
    EXPECT_EQ(clean.out, Lines{"0 errors, 0 warnings"});
    const FinishedRun conflicting = RunTvxio("check " + TwoAxes("conflicting.tvxio", 25));
    EXPECT_EQ(conflicting.status, 1u);
    EXPECT_EQ(conflicting.out, (Lines{"error: Output 25 is used by Axis 1 Amp Enable (out) and Axis 2 Drive Enable (out).",
                                      "1 error, 0 warnings"}));
    // With the controller known, its channels count too: 33 is no input.
    const std::string misplaced = File("misplaced.tvxio", "[TVXIOConfig]\r\nAxis1IOConfig=" + HexText([] {
                                           AxisIoRecord record = Servo();
                                           record.bytes[16] = 33;
                                           return record;
                                       }()) + "\r\n");
    EXPECT_EQ(RunTvxio("check " + misplaced).status, 1u);  // 33: an input and an output
    const FinishedRun onBoard = RunTvxio("check " + misplaced + " -b 0");
    EXPECT_EQ(onBoard.status, 1u);
    EXPECT_NE(std::find(onBoard.out.begin(), onBoard.out.end(),
                        "error: Axis 1 Coarse Home (inp) is on channel 33, which the controller does not offer as an input."),
              onBoard.out.end());
    const FinishedRun boardItself = RunTvxio("check board");
    EXPECT_EQ(boardItself.status, 0u);
    EXPECT_EQ(boardItself.out, Lines{"0 errors, 0 warnings"});
}

TEST_F(Tvxio, TroubleIsOneLineOnStandardErrorAndStatusTwo) {
    const std::string damaged = File("damaged.tvxio", "[TVXIOConfig]\r\nAxis1IOConfig=01 02 zz\r\n");
    const std::string empty = File("empty.tvxio", "");
    // A folder that leaves no room for the name of the new file beside the target.
    const std::string deep = folder.File(std::string(247 - folder.Path().size() - 1, 'd'));
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    const std::string writeUsage = "tvxio write FILE [-b N] [--force] [--note TEXT] [--json]";
    const std::pair<std::string, std::string> cases[] = {
        {"", "tvxio: no command given; tvxio --help lists them"},
        {"shine " + empty, "tvxio: unknown command shine; tvxio --help lists them"},
        {"show " + empty + " --wide", "tvxio: unknown option --wide"},
        {"diff " + empty, "tvxio: tvxio diff takes 2 operands; tvxio --help shows how"},
        {"show board:x", "tvxio: not a controller number: x"},
        {"show board -b 99999999999", "tvxio: not a controller number: 99999999999"},
        {"show stored:65536", "tvxio: not a controller number: 65536"},
        {"show board --board=+3", "tvxio: not a controller number: +3"},
        {"check " + damaged, "tvxio: " + damaged + ": the value of Axis1IOConfig is damaged"},
        {"show " + empty, "tvxio: " + empty + ": holds no Axis1IOConfig value"},
        {"show " + folder.File("missing.tvxio"), "tvxio: cannot read " + folder.File("missing.tvxio") + ": File not found."},
        {"map " + empty + " --csv --html", "tvxio: --csv and --html exclude each other; usage: tvxio map SOURCE [-b N] [--csv [--bom] | --html | --json]"},
        {"show " + empty + " --json --csv", "tvxio: --csv and --json exclude each other; usage: tvxio show SOURCE [--csv [--bom] | --json | --lines]"},
        {"show " + empty + " --json --lines", "tvxio: --json and --lines exclude each other; usage: tvxio show SOURCE [--csv [--bom] | --json | --lines]"},
        {"read " + empty + " --json", "tvxio: --json does not apply to tvxio read; usage: tvxio read FILE [-b N]"},
        {"read " + empty + " --note x", "tvxio: --note does not apply to tvxio read; usage: tvxio read FILE [-b N]"},
        {"write " + empty + " -b", "tvxio: -b needs a controller number; usage: " + writeUsage},
        {"write " + empty + " --note", "tvxio: --note needs a text; usage: " + writeUsage},
        {"show " + empty + " --bom", "tvxio: --bom goes with --csv; usage: tvxio show SOURCE [--csv [--bom] | --json | --lines]"},
        {"show " + folder.Path(), "tvxio: " + folder.Path() + ": is a folder"},
        {"read " + deep + "\\g.tvxio", "tvxio: cannot save " + deep + "\\g.tvxio: " + SystemErrorText(ERROR_FILENAME_EXCED_RANGE)},
    };
    for (const auto& [arguments, line] : cases) {
        const FinishedRun finished = RunTvxio(arguments);
        EXPECT_EQ(finished.status, 2u) << arguments;
        EXPECT_EQ(finished.err, Lines{line}) << arguments;
        EXPECT_TRUE(finished.out.empty()) << arguments;
    }
    // git's textconv shows the damage and lets git diff go on.
    const FinishedRun textconv = RunTvxio("show " + damaged + " --lines");
    EXPECT_EQ(textconv.status, 0u);
    EXPECT_EQ(textconv.out, Lines{"tvxio: cannot read " + damaged + ": the value of Axis1IOConfig is damaged"});
    board.Describe("open = -1\n");
    EXPECT_EQ(RunTvxio("show board:3").err, Lines{"tvxio: controller 3 cannot be opened"});
    HANDLE held = CreateFileA(damaged.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(RunTvxio("show " + damaged).err,
              Lines{"tvxio: cannot read " + damaged + ": " + SystemErrorText(ERROR_SHARING_VIOLATION)});
    CloseHandle(held);
    const FinishedRun help = RunTvxio("--help");
    EXPECT_EQ(help.status, 0u);
    ASSERT_FALSE(help.out.empty());
    EXPECT_EQ(help.out[0], "usage: tvxio show SOURCE [--csv [--bom] | --json | --lines]");
    EXPECT_EQ(RunTvxio("/?").out, help.out);
    EXPECT_EQ(RunTvxio("--version").out, Lines{"tvxio 1.0.0"});
}

// Every spelling names the controller Quillet would open, or none.
TEST_F(Tvxio, ControllerNumbersNameTheControllerQuilletOpens) {
    const std::pair<const char*, const char*> cases[] = {
        {"show board --board=3", "KXOpen(3, "}, {"show board -b -1", "KXOpen(65535, "}, {"show board:65535", "KXOpen(65535, "}};
    for (const auto& [arguments, open] : cases) {
        board.ClearCallLog();
        EXPECT_EQ(RunTvxio(arguments).status, 0u) << arguments;
        EXPECT_EQ(board.CallLog().at(1).rfind(open, 0), 0u) << arguments;  // after the library's load
    }
}

// What the settings give (the selected controller, the copies' folder) is
// looked up only by the commands that need it, and never creates a folder.
TEST_F(Tvxio, CommandsLeaveTheSettingsFoldersAlone) {
    const std::string settings = SettingsFilePath();
    const std::string kestrix = settings.substr(0, settings.rfind("\\Utilities"));
    RemoveTree(kestrix);
    const std::string path = TwoAxes("two.tvxio");
    for (const std::string& arguments : Lines{"show " + path + " -b 3", "check " + path, "backups", "show stored"})
        EXPECT_EQ(RunTvxio(arguments).status, 0u) << arguments;
    EXPECT_FALSE(FileExists(kestrix));
}

// A channel the controller could not describe is told as such, as the
// editor tells it, not as one the controller does not offer.
TEST_F(Tvxio, AChannelThatCannotBeReadIsSaidToBeUnread) {
    board.Describe("channelQuery 9 = -1\n");
    const FinishedRun checked = RunTvxio("check " + TwoAxes("two.tvxio") + " -b 0");
    EXPECT_EQ(checked.status, 0u);
    EXPECT_EQ(checked.out, (Lines{"warning: Axis 1 Plus Limit (inp) is on channel 9, whose configuration Quillet "
                                  "could not read from the controller.",
                                  "0 errors, 1 warning"}));
}

// Only the commands that need the board bind its library: without it, files
// still work.
TEST_F(Tvxio, FilesNeedNoControllerSoftwareAndOnlySystemLibrariesAreImported) {
    const std::string alone = folder.File("tvxio.exe");
    CopyFileOrFail(ProgramFolder() + "\\tvxio.exe", alone);
    EXPECT_EQ(RunTvxio("show " + TwoAxes("two.tvxio"), alone).status, 0u);
    const FinishedRun board = RunTvxio("show board", alone);
    EXPECT_EQ(board.status, 2u);
    EXPECT_EQ(board.err, Lines{"tvxio: kxapi32.dll is missing or older than version 340 of the Kestrix API"});

    Lines imports;
    for (std::string name : ReadPeFile(ReadWholeFile(alone)).importedLibraries) {
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
        imports.push_back(name);
    }
    std::sort(imports.begin(), imports.end());
    EXPECT_EQ(imports, (Lines{"ADVAPI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL"}));
}

// The worked example: keep the board's assignments, change them, write them
// back, and compare the board and the driver's values with the file.
TEST_F(Tvxio, ReadWriteAndDiffAgainstTheBoardAndTheStoredValues) {
    const std::string golden = folder.File("golden.tvxio");
    const FinishedRun read = RunTvxio("read " + golden);
    EXPECT_EQ(read.status, 0u);
    EXPECT_EQ(read.out, Lines{"Read 8 axes from controller 0 into " + golden + "."});
    EXPECT_EQ(RunTvxio("diff " + golden + " board").status, 0u);
    EXPECT_TRUE(RunTvxio("diff " + golden + " board").out.empty());

    AxisIoRecord changed;
    changed.bytes[AxisTypeOffset] = 1;
    changed.bytes[16] = 5;
    changed.bytes[24] = 0xEE;
    WritePrivateProfileStringA("TVXIOConfig", "Axis1IOConfig", HexText(changed).c_str(), golden.c_str());
    const FinishedRun differs = RunTvxio("diff " + golden + " board");
    EXPECT_EQ(differs.status, 1u);
    EXPECT_EQ(differs.out, (Lines{"Axis 1 Coarse Home (inp): 5 -> 1", "Axis 1 Plus Limit (inp): -- -> 9",
                                  "Axis 1 Minus Limit (inp): -- -> 17", "Axis 1 Amp Fault (inp): -- -> 41",
                                  "Axis 1 Amp Enable (out): -- -> 25", "Axis 1 Direction (out): -- -> 33",
                                  "Axis 1: bytes 0, 23, 24 differ"}));
    const FinishedRun nothingStored = RunTvxio("diff " + golden + " stored");
    EXPECT_EQ(nothingStored.status, 1u);
    EXPECT_EQ(nothingStored.out.front(), "Axis 1: only in OLD");
    EXPECT_EQ(nothingStored.out.size(), 8u);

    const FinishedRun written = RunTvxio("write " + golden);
    EXPECT_EQ(written.status, 0u);
    EXPECT_EQ(written.out, (Lines{"Stored 8 axes for controller 0 from " + golden + ".",
                                  "Nothing was stored before: no copy made.",
                                  "Controller 0 holds the assignments of " + golden + "."}));
    for (const char* other : {" stored", " board", " stored:0"}) {
        const FinishedRun same = RunTvxio("diff " + golden + other);
        EXPECT_EQ(same.status, 0u) << other;
        EXPECT_TRUE(same.out.empty()) << other;
    }

    // A second write keeps a copy of the first, which backups lists.
    const FinishedRun again = RunTvxio("write " + golden);
    EXPECT_EQ(again.status, 0u);
    ASSERT_EQ(again.out.size(), 3u);
    const std::string prefix = "The values stored before are in ";
    ASSERT_EQ(again.out[1].substr(0, prefix.size()), prefix);
    const std::string copy = again.out[1].substr(prefix.size(), again.out[1].size() - prefix.size() - 1);
    EXPECT_EQ(RunTvxio("diff " + golden + " " + copy).out, Lines{});
    const FinishedRun copies = RunTvxio("backups -b 0");
    ASSERT_EQ(copies.out.size(), 1u);
    EXPECT_EQ(copies.out[0].substr(0, copy.size() + 16), copy + "  controller 0  ");
    EXPECT_EQ(copies.out[0].substr(copies.out[0].size() - 22), "  before Write  8 axes");
    const std::string settings = SettingsFilePath();
    EXPECT_EQ(RunTvxio("backups -b 3").out,
              Lines{"No copies of controller 3 in " + settings.substr(0, settings.rfind('\\')) + "\\Backups."});
}

// Checked against the controller it writes to, as check -b N checks: a
// conflict, an axis or a channel the controller does not have, or a
// controller that cannot be opened stops the write, with nothing stored.
TEST_F(Tvxio, WriteStopsOnConflictsAndOnWhatItCannotCheckUnlessForced) {
    const std::string conflicting = TwoAxes("conflicting.tvxio", 25);
    const std::string clean = TwoAxes("clean.tvxio");
    const std::string stopped = " has conflicts for controller 0 (--force writes it anyway)";
    const std::tuple<const char*, std::string, Lines, std::string> rows[] = {
        {"", conflicting, {"error: Output 25 is used by Axis 1 Amp Enable (out) and Axis 2 Drive Enable (out)."},
         "tvxio: not written: " + conflicting + stopped},
        {"axisCount = 1\nchannels = 41\n", clean,
         {"error: Axis 2 is not the one axis of controller 0.",
          "error: Axis 2 Drive Fault (inp) is on channel 42, past the 41 channels of the controller."},
         "tvxio: not written: " + clean + stopped},
        {"open = -1\n", clean, {}, "tvxio: not written: controller 0 could not be opened: channels not checked "
                                   "(--force writes it anyway)"}};
    for (const auto& [description, path, out, err] : rows) {
        board.Describe(description);
        const FinishedRun refused = RunTvxio("write " + path);
        EXPECT_EQ(refused.status, 2u) << description;
        EXPECT_EQ(refused.out, out);
        EXPECT_EQ(refused.err, Lines{err});
        EXPECT_EQ(RunTvxio("show stored").out, Lines{"Nothing is stored for controller 0."});
    }
    board.Describe("");
    const FinishedRun forced = RunTvxio("write " + conflicting + " --force");
    EXPECT_EQ(forced.status, 0u);
    EXPECT_EQ(RunTvxio("diff " + conflicting + " stored").status, 0u);
}

// The board's channels, those it does not offer included; a file's labels.
TEST_F(Tvxio, MapListsChannelsByUseThenTheFreeOnesAndCarriesLabels) {
    board.Describe("channels = 52\nflags 47 = 0\nflags 49-52 = 0x101\n");
    const FinishedRun map = RunTvxio("map board");
    EXPECT_EQ(map.status, 0u);
    ASSERT_EQ(map.out.size(), 49u);
    EXPECT_EQ(map.out[46], "Channel 47 (not offered): Axis 7 Drive Fault (inp)");
    EXPECT_EQ(map.out[48], "free inputs: 49-52");

    const std::string path = TwoAxes("labelled.tvxio");
    WritePrivateProfileStringA("ChannelLabels", "Channel25", "X3:1 K12 amp enable", path.c_str());
    EXPECT_EQ(RunTvxio("map " + path + " --csv").out[7], "25,output,1,Amp Enable (out),used,X3:1 K12 amp enable");
    WritePrivateProfileStringA("ChannelLabels", "Channel26", "-spare", path.c_str());
    EXPECT_EQ(RunTvxio("map " + path + " --csv").out[8], "26,output,2,Drive Enable (out),used,-spare");
    const Lines excel = RunTvxio("map " + path + " --csv --bom").out;  // for Excel: a mark, and no formula
    EXPECT_EQ(excel[0], "\xEF\xBB\xBF" "channel,direction,axis,signal,state,label");
    EXPECT_EQ(excel[8], "26,output,2,Drive Enable (out),used,'-spare");
    const Lines page = RunTvxio("map " + path + " --html -b 0").out;
    EXPECT_EQ(page[0], "<!DOCTYPE html>");
    EXPECT_NE(std::find(page.begin(), page.end(), "<h1>I/O map of " + path + "</h1>"), page.end());
    EXPECT_NE(std::find(page.begin(), page.end(),
                        "<tr class=\"used\"><td>25</td><td>Axis 1 Amp Enable (out)</td><td>used</td><td>X3:1 K12 amp "
                        "enable</td></tr>"),
              page.end());
}

// The controller is read back after the write: it may need a second try to
// open, may not take the values up, or may not be read at all.
TEST_F(Tvxio, WriteSaysWhetherTheControllerHoldsWhatWasWritten) {
    const std::string path = TwoAxes("two.tvxio");
    const std::string holds = "Controller 0 holds the assignments of " + path + ".";
    struct Row {
        const char* board;
        unsigned status;
        std::string said;   // among the lines: the warning of a forced write, or the heading of a difference
        Lines last;         // the last lines printed, then those of the error stream
        Lines err;
    };
    const std::string unchecked = ": channels not checked";
    for (const Row& row : {Row{"failedOpens = 2\n", 0, "warning: controller 0 could not be opened" + unchecked, {holds}, {}},
                           Row{"failedOpens = 7\n", 0, "warning: controller 0 could not be opened" + unchecked, {holds},
                               {"Waiting for controller 0 to restart..."}},
                           Row{"registry = off\n", 1,
                               "After the write, controller 0 does not hold the assignments stored for it (stored -> held):",
                               {"Axis 2 Direction (out): -- -> 34", "Axis 2: bytes 0, 2, 23 differ",
                                "The controller takes up the stored assignments at its next restart."}, {}},
                           Row{"axisCount = 1\n", 1,
                               "After the write, controller 0 does not hold the assignments stored for it (stored -> held):",
                               {"Axis 2 is not held by controller 0",
                                "The controller takes up the stored assignments at its next restart."}, {}},
                           Row{"readArea = -3\n", 2, "warning: the configuration of controller 0 could not be read" + unchecked,
                               {}, {"tvxio: could not check what controller 0 holds after the write: the I/O "
                                    "configuration of controller 0 could not be read."}}}) {
        board.Describe(row.board);
        board.ClearCallLog();
        const FinishedRun written = RunTvxio("write " + path + " --force");
        EXPECT_EQ(written.status, row.status) << row.board;
        EXPECT_NE(std::find(written.out.begin(), written.out.end(), row.said), written.out.end()) << row.said;
        EXPECT_EQ(Lines(written.out.end() - static_cast<long>(row.last.size()), written.out.end()), row.last) << row.board;
        EXPECT_EQ(written.err, row.err) << row.board;
    }
    // As diff tells the same controller.
    board.Describe("axisCount = 1\n");
    const FinishedRun diff = RunTvxio("diff " + path + " board");
    EXPECT_EQ(diff.status, 1u);
    EXPECT_EQ(diff.out, Lines{"Axis 2: only in OLD"});
}

// Each line is written when it is made: with both streams in one file (a
// script's log) the warning, the wait and the outcome stand in their order.
TEST_F(Tvxio, EachLineIsWrittenWhenItIsMade) {
    board.Describe("failedOpens = 7\n");  // the check's open, then 3 s of the read-back's
    const std::string path = TwoAxes("two.tvxio");
    const FinishedRun run = RunToEnd(ProgramFolder() + "\\tvxio.exe", "write " + path + " --force", "", true);
    EXPECT_EQ(Lines(run.out.begin(), run.out.begin() + 2),
              (Lines{"warning: controller 0 could not be opened: channels not checked",
                     "Waiting for controller 0 to restart..."}));
}

// Six writers to one controller in the same second: each keeps a whole
// copy of its own, one after the other.
TEST_F(Tvxio, ParallelWritesEachKeepAWholeCopyOfTheirOwn) {
    const std::string path = TwoAxes("two.tvxio");
    ASSERT_EQ(RunTvxio("write " + path).status, 0u);
    Lines writes;
    for (int i = 1; i <= 6; ++i) writes.push_back("write " + path + " --note \"run " + std::to_string(i) + "\"");
    for (const FinishedRun& run : RunAllToEnd(ProgramFolder() + "\\tvxio.exe", writes))
        EXPECT_EQ(run.status, 0u) << (run.err.empty() ? "" : run.err[0]);
    const std::string settings = SettingsFilePath();
    const std::string copies = settings.substr(0, settings.rfind('\\')) + "\\Backups";
    const Lines names = FileNamesIn(copies);
    ASSERT_EQ(names.size(), 6u);
    Lines notes;
    for (const std::string& name : names) {
        EXPECT_EQ(RunTvxio("diff " + path + " \"" + copies + "\\" + name + "\"").out, Lines{}) << name;
        char note[64] = {};
        GetPrivateProfileStringA("Backup", "Note", "", note, sizeof note, (copies + "\\" + name).c_str());
        notes.push_back(note);
    }
    std::sort(notes.begin(), notes.end());
    EXPECT_EQ(notes, (Lines{"run 1", "run 2", "run 3", "run 4", "run 5", "run 6"}));
}

// A note with blanks at its ends, quotes or a line break is kept as written
// and reads back whole: it never fails the copy.
TEST_F(Tvxio, AnyNoteIsKeptAsWritten) {
    const std::string path = TwoAxes("two.tvxio");
    ASSERT_EQ(RunTvxio("write " + path).status, 0u);
    for (const char* note : {"\" lead \"", "\"\\\"ECO 12\\\"\"", "\"two\nlines \\ end\""}) {
        const FinishedRun written = RunTvxio("write " + path + " --note " + note);
        EXPECT_EQ(written.status, 0u) << note << (written.err.empty() ? "" : written.err[0]);
    }
    const std::string settings = SettingsFilePath();
    Lines notes;
    for (const BackupCopy& copy : ListBackups(settings.substr(0, settings.rfind('\\')) + "\\Backups"))
        notes.push_back(copy.note);
    std::sort(notes.begin(), notes.end());
    EXPECT_EQ(notes, (Lines{" lead ", "\"ECO 12\"", "two\nlines \\ end"}));
}

// Every write goes into the journal, which log lists newest first; a journal
// that cannot be written stops no write, but is said, with status 1.
TEST_F(Tvxio, LogListsTheJournalNewestFirstAndAnUnwritableJournalIsSaid) {
    DeleteFileA(JournalPath().c_str());
    EXPECT_EQ(RunTvxio("log").out, Lines{"No entries in " + JournalPath() + "."});
    const std::string path = TwoAxes("two.tvxio");
    ASSERT_EQ(RunTvxio("write " + path).status, 0u);
    board.Describe("registry = off\n");
    ASSERT_EQ(RunTvxio("write " + path + " --force").status, 1u);
    const Lines listed = RunTvxio("log").out;
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_TRUE(listed[0].ends_with("  controller 0  write  differs  " + path)) << listed[0];
    EXPECT_TRUE(listed[1].ends_with("  controller 0  write  verified  " + path)) << listed[1];
    EXPECT_EQ(RunTvxio("log -b 3").out, Lines{"No entries of controller 3 in " + JournalPath() + "."});

    board.Describe("");
    ASSERT_TRUE(DeleteFileA(JournalPath().c_str()) && CreateDirectoryA(JournalPath().c_str(), nullptr));
    const FinishedRun unjournalled = RunTvxio("write " + path);
    RemoveDirectoryA(JournalPath().c_str());
    EXPECT_EQ(unjournalled.status, 1u);
    EXPECT_EQ(unjournalled.err, Lines{"tvxio: the write was not added to the journal " + JournalPath() + ": " +
                                      SystemErrorText(ERROR_ACCESS_DENIED)});
}

// Held by another writer past the wait, the controller is left alone.
TEST_F(Tvxio, AnotherWriterOfTheControllerKeepsThisOneFromChangingAnything) {
    HANDLE lock = CreateMutexA(nullptr, TRUE, "Global\\Quillet.Controller0");
    const FinishedRun written = RunTvxio("write " + TwoAxes("two.tvxio"));
    ReleaseMutex(lock);
    CloseHandle(lock);
    EXPECT_EQ(written.status, 2u);
    EXPECT_EQ(written.err, Lines{"tvxio: Another program is writing the assignments of controller 0."});
    EXPECT_EQ(RunTvxio("diff " + TwoAxes("two.tvxio") + " stored").status, 1u);
}

// A bare name is one in the current folder, as in any other program, and
// so is a name outside the ANSI code page.
TEST_F(Tvxio, FileNamesAreTakenAgainstTheCurrentFolder) {
    const FinishedRun read = RunToEnd(ProgramFolder() + "\\tvxio.exe", "read golden.tvxio", folder.Path());
    EXPECT_EQ(read.out, Lines{"Read 8 axes from controller 0 into " + folder.File("golden.tvxio") + "."});
    EXPECT_EQ(RunToEnd(ProgramFolder() + "\\tvxio.exe", "diff golden.tvxio board", folder.Path()).status, 0u);

    const std::string unicode = folder.File("\xCE\xA9" "folder");  // Omega
    ASSERT_TRUE(CreateDirectoryA(unicode.c_str(), nullptr));
    const std::string file = unicode + "\\\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB.tvxio";  // Cyrillic
    EXPECT_EQ(RunTvxio("read \"" + file + "\"").status, 0u);
    EXPECT_EQ(RunTvxio("diff \"" + file + "\" board").out, Lines{});
}

TEST_F(Tvxio, NothingIsSaidToBeDoneThatWasNot) {
    board.Describe("axisCount = 0\n");
    const FinishedRun empty = RunTvxio("read " + folder.File("none.tvxio"));
    EXPECT_EQ(empty.status, 2u);
    EXPECT_EQ(empty.err, Lines{"tvxio: controller 0 has no axes in use: nothing was written to " +
                               folder.File("none.tvxio")});
    EXPECT_FALSE(FileExists(folder.File("none.tvxio")));

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, ControllerKey("0").c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Axis1IOConfig", 0, REG_BINARY, Servo().bytes.data(), 63);
    RegCloseKey(key);
    EXPECT_EQ(RunTvxio("show stored").err,
              Lines{"tvxio: the value Axis1IOConfig stored for controller 0 is not a record (64 bytes of REG_BINARY)"});

    // A write replaces such a value, and says so; its copy is listed as damaged.
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, ControllerKey("0").c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Axis1IOConfig", 0, REG_SZ, reinterpret_cast<const BYTE*>("hello"), 6);
    RegCloseKey(key);
    board.Describe("");
    const std::string path = TwoAxes("two.tvxio");
    const FinishedRun written = RunTvxio("write " + path);
    EXPECT_EQ(written.out.at(2),
              "The values stored before were damaged: Axis1IOConfig was not a record (64 bytes of REG_BINARY).");
    EXPECT_EQ(RunTvxio("diff " + path + " stored").status, 0u);
    const std::string listed = RunTvxio("backups").out.at(0), damaged = "before Write  damaged values: Axis1IOConfig";
    EXPECT_EQ(listed.substr(listed.size() - damaged.size()), damaged);
}

// Said of a file: what Quillet does not read of it, and a label cut to 255.
TEST_F(Tvxio, ShowAndCheckSayWhatTheyDoNotReadAndALabelTooLong) {
    const std::string path = TwoAxes("more.tvxio");
    WritePrivateProfileStringA("TVXIOConfig", "Axis17IOConfig", "old", path.c_str());
    WritePrivateProfileStringA("Extra", "owner", "me", path.c_str());
    WritePrivateProfileStringA("ChannelLabels", "Channel25", std::string(300, 'x').c_str(), path.c_str());
    const std::string unread =
        "warning: " + path + " has keys or sections Quillet does not read: [TVXIOConfig] Axis17IOConfig, [Extra]";
    EXPECT_EQ(RunTvxio("check " + path).out, (Lines{unread, "0 errors, 0 warnings"}));
    const Lines shown = RunTvxio("show " + path + " --lines").out;
    EXPECT_EQ(shown.at(0), unread);
    EXPECT_EQ(shown.at(1), "warning: The label of channel 25 is longer than 255 characters: only its first 255 are kept.");
    EXPECT_EQ(shown.at(7), "Axis 1 Amp Enable (out): 25 \"" + std::string(255, 'x') + "\"");
}

// Each command's document, in a file of the current folder named after it.
TEST_F(TvxioJson, EachCommandPrintsOneDocument) {
    const std::string note = "\xCE\xA9 motor \xC3\xBC";  // Omega, u with diaeresis
    const std::string labelled = File("labelled.tvxio", "[TVXIOConfig]\r\nAxis1IOConfig=" + HexText(Servo()) +
                                                            "\r\nAxis2IOConfig=" + HexText(Stepper(25)) +
                                                            "\r\n[ChannelLabels]\r\nChannel25=" + note + "\r\n");
    const std::string clean = TwoAxes("clean.tvxio");
    DeleteFileA(JournalPath().c_str());
    ASSERT_EQ(RunTvxio("write " + clean).status, 0u);  // so that the next write keeps a copy
    const std::tuple<const char*, std::string, unsigned> runs[] = {
        {"show", "show " + labelled, 0}, {"check", "check " + labelled, 1}, {"diff", "diff " + labelled + " " + clean, 1},
        {"map", "map " + labelled + " -b 0", 0}, {"refused", "write " + labelled, 2},
        {"write", "write " + clean + " --note \"" + note + "\"", 0}, {"backups", "backups", 0},
        {"log", "log -b 0", 0}, {"stored", "show stored:5", 0}};
    for (const auto& [name, arguments, status] : runs) {
        const FinishedRun run = RunTvxio(arguments + " --json");
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.out.size(), 1u) << arguments;
        EXPECT_EQ(run.err.size(), status == 2 ? 1u : 0u) << arguments;
        WriteTextFile(std::string(name) + ".json", run.out.empty() ? "" : run.out[0]);
    }
}

// Newest first; within one second by the number in the name.
TEST_F(Tvxio, BackupsListsTheCopiesNewestFirst) {
    const std::string settings = SettingsFilePath();
    const std::string copies = settings.substr(0, settings.rfind('\\')) + "\\Backups";
    CreateDirectoryA(copies.c_str(), nullptr);
    for (const std::string name : {"03", "03-9", "03-10", "02"})
        WriteTextFile(copies + "\\controller0-20261207-0905" + name + ".tvxio",
                      "[Backup]\r\nController=0\r\nTaken=2026-12-07 09:05:" + name.substr(0, 2) +
                          "\r\n[TVXIOConfig]\r\nAxis1IOConfig=" + HexText(Servo()) + "\r\n");
    WriteTextFile(copies + "\\controller0-20261207-090504.tvxio", "");  // no copy: left out, and said
    Lines order;
    const Lines listed = RunTvxio("backups").out;
    for (size_t i = 0; i + 1 < listed.size(); ++i) order.push_back(listed[i].substr(copies.size() + 26, 6));
    EXPECT_EQ(order, (Lines{"03-10.", "03-9.t", "03.tvx", "02.tvx"}));
    EXPECT_EQ(listed.back(), "Skipped 1 file in " + copies + " that does not read as a copy.");
}

// A console shows tvxio's text whatever its code page: it is written there
// in UTF-16. Redirected, the same text is UTF-8, as the runs above read it.
TEST(TvxioConsole, AConsoleGetsTheTextWhole) {
    FreeConsole();  // a console of its own, whatever this process was started with
    ASSERT_TRUE(AllocConsole());
    HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(console, INVALID_HANDLE_VALUE);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &info));
    HANDLE before = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, console);
    WriteText(stdout, "\xCE\xA9 motor \xC3\xBC");  // Omega, u with diaeresis
    SetStdHandle(STD_OUTPUT_HANDLE, before);
    wchar_t shown[16] = {};
    DWORD count = 0;
    ReadConsoleOutputCharacterW(console, shown, 9, info.dwCursorPosition, &count);
    EXPECT_EQ(std::wstring(shown, count), L"\u03A9 motor \u00FC");
    CloseHandle(console);
    FreeConsole();
}
