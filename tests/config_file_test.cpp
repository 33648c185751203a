#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <source_location>
#include <string>
#include <vector>

#include "app/file_commands.h"
#include "app/messages.h"
#include "app/settings.h"
#include "res/resource.h"
#include "tests/support/axis_records.h"
#include "tests/support/called_from.h"
#include "tests/support/driver_keys.h"
#include "tests/support/example_record.h"
#include "tests/support/file_tree.h"
#include "tests/support/full_disk.h"
#include "tests/support/held_axes.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/simulated_board.h"

namespace {

using Lines = std::vector<std::string>;

// Controls of the common file dialog.
constexpr int FileNameBox = 0x47C;  // cmb13, a combo box with an edit field
constexpr int FilterBox = 0x470;    // cmb1
constexpr int ReadOnlyBox = 0x410;  // chx1
constexpr int FileListView = 0x461; // lst2

const HICON WarningIcon = LoadIconA(nullptr, IDI_WARNING);

std::string KeyLine(int axis, const std::string& value) { return AxisKey(axis) + "=" + value + "\r\n"; }

std::string ProfileValue(const std::string& path, const std::string& section, const std::string& key) {
    char value[1024] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "(missing)", value, sizeof value, path.c_str());
    return value;
}

// The keys of a section, in file order.
Lines SectionKeys(const std::string& path, const char* section) {
    char pairs[32768] = {};
    GetPrivateProfileSectionA(section, pairs, sizeof pairs, path.c_str());
    Lines keys;
    for (const char* pair = pairs; *pair != '\0'; pair += strlen(pair) + 1) {
        const std::string text = pair;
        keys.push_back(text.substr(0, text.find('=')));
    }
    return keys;
}

std::string WithoutTrailingBlank(const std::string& text) { return text.substr(0, text.find_last_not_of(' ') + 1); }

HWND FileNameField(HWND dialog) {
    return reinterpret_cast<HWND>(SendMessageA(GetDlgItem(dialog, FileNameBox), CBEM_GETEDITCONTROL, 0, 0));
}

bool IsFileDialog(HWND dialog) { return GetDlgItem(dialog, FileNameBox) != nullptr; }

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char item[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

struct SeenFileDialog {
    HWND owner = nullptr;
    std::string title;
    Lines filters;
    int filterSelected = -1;
    std::string fileName;
    bool readOnlyShown = true;
};

SeenFileDialog ReadFileDialog(HWND dialog) {
    SeenFileDialog seen;
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.title = WindowText(dialog);
    seen.filters = ComboItems(GetDlgItem(dialog, FilterBox));
    seen.filterSelected = static_cast<int>(SendMessageA(GetDlgItem(dialog, FilterBox), CB_GETCURSEL, 0, 0));
    seen.fileName = WindowText(FileNameField(dialog));
    seen.readOnlyShown = IsWindowVisible(GetDlgItem(dialog, ReadOnlyBox)) != FALSE;
    return seen;
}

// Answers file dialogs as a user would: types the path given into the
// file-name field and presses the default button; an empty path cancels.
// The dialog's own questions (create? replace?) are answered Yes, and
// Quillet's message boxes OK.
class FileDialogAnswerer {
public:
    explicit FileDialogAnswerer(std::string path, int boxAnswer = IDOK, int filter = 0)
        : path_(std::move(path)), boxAnswer_(boxAnswer), filter_(filter), answerer_([this](HWND dialog) { Answer(dialog); }) {}

    std::vector<SeenFileDialog> dialogs;
    std::vector<SeenMessageBox> prompts;
    std::vector<SeenMessageBox> boxes;

private:
    void Answer(HWND dialog) {
        if (IsFileDialog(dialog)) {
            dialogs.push_back(ReadFileDialog(dialog));
            if (path_.empty()) {
                PressButton(dialog, IDCANCEL);
                return;
            }
            if (filter_ != 0) {  // as a user's choice of another file type
                HWND filters = GetDlgItem(dialog, FilterBox);
                SendMessageA(filters, CB_SETCURSEL, static_cast<WPARAM>(filter_), 0);
                for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FilterBox, notification), reinterpret_cast<LPARAM>(filters));
            }
            SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path_.c_str()));
            PressButton(dialog, IDOK);
        } else if (IsFileDialog(GetWindow(dialog, GW_OWNER))) {
            prompts.push_back(ReadMessageBox(dialog));
            PressButton(dialog, IDYES);
        } else {
            boxes.push_back(ReadMessageBox(dialog));
            PressButton(dialog, boxAnswer_);
        }
    }

    std::string path_;
    int boxAnswer_;
    int filter_;
    ModalAnswerer answerer_;
};

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof startFolder, startFolder);
        strcpy(State().saveFolder, (folder.Path() + "\\").c_str());
    }
    // The dialogs make the chosen folder current, which would keep the
    // scratch folder from being removed.
    void TearDown() override { SetCurrentDirectoryA(startFolder); }

    AppState& State() { return quillet.State(); }

    std::vector<SeenMessageBox> SaveAs(const std::string& path) {
        FileDialogAnswerer answerer(path);
        quillet.Command(IDM_SAVE_AS);
        EXPECT_EQ(answerer.dialogs.size(), 1u);
        return answerer.boxes;
    }

    std::vector<SeenMessageBox> Open(const std::string& path) {
        FileDialogAnswerer answerer(path);
        quillet.Command(IDM_OPEN_FILE);
        EXPECT_EQ(answerer.dialogs.size(), 1u);
        return answerer.boxes;
    }

    // A file holding records 1 to `axisCount`, patterned with `salt`.
    std::string FileOfAxes(const std::string& name, int axisCount, int salt) {
        std::string text = "[TVXIOConfig]\r\n";
        for (int axis = 1; axis <= axisCount; ++axis) text += KeyLine(axis, HexText(Patterned(axis, salt)));
        WriteTextFile(folder.File(name), text);
        return folder.File(name);
    }

    // As the File menu shows it when opened.
    bool SaveAsIsEnabled() {
        HMENU file = GetSubMenu(GetMenu(quillet.Handle()), 0);
        SendMessageA(quillet.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        return (GetMenuState(file, IDM_SAVE_AS, MF_BYCOMMAND) & MF_GRAYED) == 0;
    }

    void ExpectWarning(const std::vector<SeenMessageBox>& boxes, const std::string& text,
                       std::source_location caller = std::source_location::current()) {
        const CalledFrom trace(caller);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].owner, quillet.Handle());
        EXPECT_EQ(boxes[0].caption, "Quillet");
        EXPECT_EQ(boxes[0].icon, WarningIcon);
        EXPECT_EQ(boxes[0].text, text);
    }

    char startFolder[MAX_PATH] = {};
    ScratchFolder folder;
    QuilletWindow quillet;
};

}  // namespace

TEST_F(ConfigFile, TheDialogsAreTitledFilteredAndStartEmpty) {
    HoldAxes(State(), 1);
    FileDialogAnswerer save("");
    quillet.Command(IDM_SAVE_AS);
    FileDialogAnswerer open("");
    quillet.Command(IDM_OPEN_FILE);
    ASSERT_EQ(save.dialogs.size(), 1u);
    ASSERT_EQ(open.dialogs.size(), 1u);
    EXPECT_EQ(save.dialogs[0].title, "Save I/O Config File");
    EXPECT_EQ(open.dialogs[0].title, "Open I/O Config File");
    for (const SeenFileDialog& dialog : {save.dialogs[0], open.dialogs[0]}) {
        EXPECT_EQ(dialog.owner, quillet.Handle());
        EXPECT_EQ(dialog.filters, (Lines{"TVX I/O Config", "All files (*.*)"}));
        EXPECT_EQ(dialog.filterSelected, 0);
        EXPECT_EQ(dialog.fileName, "");
        EXPECT_FALSE(dialog.readOnlyShown);
    }
}

TEST_F(ConfigFile, TheFirstFilterListsOnlyTvxioFilesAndTheSecondAll) {
    WriteTextFile(folder.File("axes.tvxio"), "");
    WriteTextFile(folder.File("notes.txt"), "");
    std::vector<int> listed;
    ModalAnswerer answerer([&listed](HWND dialog) {
        HWND list = FindWindowExA(GetDlgItem(dialog, FileListView), nullptr, "SysListView32", nullptr);
        listed.push_back(static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
        HWND filters = GetDlgItem(dialog, FilterBox);
        SendMessageA(filters, CB_SETCURSEL, 1, 0);
        for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FilterBox, notification), reinterpret_cast<LPARAM>(filters));
        listed.push_back(static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
        PressButton(dialog, IDCANCEL);
    });
    quillet.Command(IDM_OPEN_FILE);
    EXPECT_EQ(listed, (std::vector<int>{1, 2}));
}

TEST_F(ConfigFile, TheChosenFolderIsRememberedAndTheDialogOpensInIt) {
    HoldAxes(State(), 1);
    const std::string sub = folder.File("sub");
    CreateDirectoryA(sub.c_str(), nullptr);
    SaveAs(sub + "\\first.tvxio");
    EXPECT_EQ(std::string(State().saveFolder), sub + "\\");
    SetAxisCount(State().image, 0);
    Open(folder.File("elsewhere.tvxio"));
    EXPECT_EQ(std::string(State().saveFolder), folder.Path() + "\\");

    // A name typed alone lands in the folder the dialog opened in, with the
    // extension added; the last dialog's folder is no longer it.
    const std::string other = folder.File("other");
    CreateDirectoryA(other.c_str(), nullptr);
    strcpy(State().saveFolder, (other + "\\").c_str());
    HoldAxes(State(), 1);
    FileDialogAnswerer answerer("mine");
    quillet.Command(IDM_SAVE_AS);
    ASSERT_EQ(answerer.dialogs.size(), 1u);
    EXPECT_EQ(answerer.dialogs[0].fileName, "first.tvxio");  // the name saved last, offered again
    EXPECT_EQ(ProfileValue(other + "\\mine.tvxio", "TVXIOConfig", AxisKey(1)),
              WithoutTrailingBlank(HexText(Patterned(1))));
    EXPECT_EQ(std::string(State().saveFolder), other + "\\");
}

TEST_F(ConfigFile, SavingWritesRecordsOneToAxisCountAsTheirHexText) {
    // One axis: exactly the documented example, trailing space included.
    SetAxisRecord(State().image, 1, ExampleRecord());
    SetAxisCount(State().image, 1);
    EXPECT_TRUE(SaveAs(folder.File("one.tvxio")).empty());
    EXPECT_EQ(ReadTextFile(folder.File("one.tvxio")), "[TVXIOConfig]\r\n" + KeyLine(1, ExampleText));

    HoldAxes(State(), 3);
    SetAxisRecord(State().image, 3, ExampleRecord());
    const IoConfigImage before = State().image;
    ShowPainted(quillet.Handle());
    const std::string path = folder.File("three.tvxio");
    SaveAs(path);
    EXPECT_EQ(SectionKeys(path, "TVXIOConfig"), (Lines{AxisKey(1), AxisKey(2), AxisKey(3)}));
    EXPECT_EQ(ProfileValue(path, "TVXIOConfig", AxisKey(1)), WithoutTrailingBlank(HexText(Patterned(1))));
    EXPECT_EQ(ProfileValue(path, "TVXIOConfig", AxisKey(2)), WithoutTrailingBlank(HexText(Patterned(2))));
    // The last key written keeps its line as written.
    const std::string text = ReadTextFile(path);
    EXPECT_EQ(text.substr(text.size() - KeyLine(3, ExampleText).size()), KeyLine(3, ExampleText));
    EXPECT_EQ(State().image.bytes, before.bytes);
    EXPECT_TRUE(State().imageValid);
    EXPECT_FALSE(WaitsForRepaint(quillet.Handle()));
}

TEST_F(ConfigFile, SavingWritesNoMoreThanSixteenKeysAndNoFileForNoAxes) {
    HoldAxes(State(), 40);
    SaveAs(folder.File("many.tvxio"));
    const Lines keys = SectionKeys(folder.File("many.tvxio"), "TVXIOConfig");
    ASSERT_EQ(keys.size(), 16u);
    EXPECT_EQ(keys.back(), AxisKey(16));

    // Nothing to save: no name is asked for, no file written, no caption changed.
    HoldAxes(State(), 0);
    FileDialogAnswerer answerer(folder.File("none.tvxio"));
    quillet.Command(IDM_SAVE_AS);
    EXPECT_TRUE(answerer.dialogs.empty());
    ExpectWarning(answerer.boxes, "The window holds no axes: there is nothing to save.");
    EXPECT_FALSE(FileExists(folder.File("none.tvxio")));
    EXPECT_EQ(WindowText(quillet.Handle()), "many.tvxio - Quillet");
}

TEST_F(ConfigFile, SaveThenLoadRestoresEveryByteOfTheRecords) {
    HoldAxes(State(), 5);
    const IoConfigImage saved = State().image;
    SaveAs(folder.File("axes.tvxio"));
    HoldAxes(State(), 0, 77);
    State().imageValid = false;
    ShowPainted(quillet.Handle());
    EXPECT_TRUE(Open(folder.File("axes.tvxio")).empty());
    EXPECT_EQ(GetAxisCount(State().image), 5);
    EXPECT_TRUE(State().imageValid);
    for (int axis = 1; axis <= 5; ++axis)
        EXPECT_EQ(GetAxisRecord(State().image, axis).bytes, GetAxisRecord(saved, axis).bytes) << axis;
    EXPECT_TRUE(WaitsForRepaint(quillet.Handle()));
}

TEST_F(ConfigFile, ALoadChangesOnlyTheRecordsReadAndTheAxisCount) {
    const std::string path = FileOfAxes("two.tvxio", 2, 5);
    HoldAxes(State(), 9);
    for (size_t i = 0; i < IoConfigHeaderSize; ++i) State().image.bytes[i] = static_cast<uint8_t>(0xC0 + i);
    SetAxisCount(State().image, 9);
    IoConfigImage expected = State().image;
    SetAxisRecord(expected, 1, Patterned(1, 5));
    SetAxisRecord(expected, 2, Patterned(2, 5));
    SetAxisCount(expected, 2);
    Open(path);
    EXPECT_EQ(State().image.bytes, expected.bytes);
}

TEST_F(ConfigFile, SavingOverAFileRemovesTheAxesPastTheSavedOnesAndKeepsEverythingElse) {
    std::string text = "[Notes]\r\nowner=commissioning\r\n[TVXIOConfig]\r\n";
    for (int axis = 1; axis <= 8; ++axis) text += KeyLine(axis, HexText(Patterned(axis, 50)));
    text += "Comment=keep me\r\nAxis17IOConfig=not read\r\n";
    const std::string path = folder.File("axes.tvxio");
    WriteTextFile(path, text);

    HoldAxes(State(), 3);
    SetAxisRecord(State().image, 3, ExampleRecord());
    FileDialogAnswerer answerer(path);
    quillet.Command(IDM_SAVE_AS);
    ASSERT_EQ(answerer.prompts.size(), 1u);  // replace the file? yes
    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_EQ(SectionKeys(path, "TVXIOConfig"), (Lines{AxisKey(1), AxisKey(2), AxisKey(3), "Comment", AxisKey(17)}));
    EXPECT_EQ(ProfileValue(path, "TVXIOConfig", "Comment"), "keep me");
    EXPECT_EQ(ProfileValue(path, "Notes", "owner"), "commissioning");
    // The records are written last, the last one keeping its line as written.
    EXPECT_NE(ReadTextFile(path).find(KeyLine(3, ExampleText)), std::string::npos);

    HoldAxes(State(), 0, 99);
    Open(path);
    EXPECT_EQ(GetAxisCount(State().image), 3);
    for (int axis = 1; axis <= 2; ++axis) EXPECT_EQ(GetAxisRecord(State().image, axis).bytes, Patterned(axis).bytes);
    EXPECT_EQ(GetAxisRecord(State().image, 3).bytes, ExampleRecord().bytes);
}

// Loading one axis of eight without a word would drop seven.
TEST_F(ConfigFile, AKeyPastAGapIsRefusedNamingTheMissingKey) {
    const std::string path = folder.File("gap.tvxio");
    const std::pair<std::string, const char*> gaps[] = {
        {KeyLine(1, HexText(Patterned(1, 5))) + KeyLine(3, HexText(Patterned(3, 5))), "Axis2IOConfig"},
        {KeyLine(1, HexText(Patterned(1, 5))) + "Axis2IOConfig=\r\n" + KeyLine(8, HexText(Patterned(8, 5))),
         "Axis2IOConfig"},
        {KeyLine(2, HexText(Patterned(2, 5))), "Axis1IOConfig"},
    };
    for (const auto& [keys, missing] : gaps) {
        WriteTextFile(path, "[TVXIOConfig]\r\n" + keys);
        HoldAxes(State(), 0);
        ExpectWarning(Open(path), NoRecordsText(path, missing));
        EXPECT_EQ(GetAxisRecord(State().image, 1).bytes, Patterned(1).bytes);
    }
}

TEST_F(ConfigFile, SixteenKeysLoadSixteenAndASeventeenthIsNeverRead) {
    const std::string path = FileOfAxes("full.tvxio", 16, 5);
    WritePrivateProfileStringA("TVXIOConfig", AxisKey(17).c_str(), "not a record", path.c_str());
    HoldAxes(State(), 0);
    EXPECT_TRUE(Open(path).empty());
    EXPECT_EQ(GetAxisCount(State().image), 16);
    EXPECT_EQ(GetAxisRecord(State().image, 16).bytes, Patterned(16, 5).bytes);
}

TEST_F(ConfigFile, AFileWithoutAxisOneIsRefusedAndChangesNothing) {
    const std::string other = folder.File("other.tvxio");
    WriteTextFile(other, "[Other]\r\n" + KeyLine(1, ExampleText) + "[TVXIOConfig]\r\n" + KeyLine(2, ExampleText));
    const std::string empty = folder.File("empty.tvxio");
    WriteTextFile(empty, "");
    const std::string created = folder.File("new.tvxio");
    for (const std::string& path : {other, empty, created}) {
        HoldAxes(State(), 4);
        const IoConfigImage before = State().image;
        ShowPainted(quillet.Handle());
        FileDialogAnswerer answerer(path);
        quillet.Command(IDM_OPEN_FILE);
        ExpectWarning(answerer.boxes, NoRecordsText(path, "Axis1IOConfig"));
        EXPECT_EQ(State().image.bytes, before.bytes) << path;
        EXPECT_TRUE(State().imageValid);
        EXPECT_TRUE(SaveAsIsEnabled());
        EXPECT_FALSE(WaitsForRepaint(quillet.Handle()));
        // Only for the file that does not exist: create it? yes.
        ASSERT_EQ(answerer.prompts.size(), path == created ? 1u : 0u);
        if (path == created) {
            EXPECT_NE(answerer.prompts[0].text.find("create"), std::string::npos);
        }
    }
    EXPECT_EQ(NoRecordsText("C:\\Data\\new.tvxio", "Axis1IOConfig"),
              "Quillet did not load the file\nC:\\Data\\new.tvxio\nbecause it holds no Axis1IOConfig value.\n"
              "The I/O configuration was not changed.");
}

TEST_F(ConfigFile, CancelInEitherDialogChangesNothing) {
    HoldAxes(State(), 3);
    const IoConfigImage before = State().image;
    const std::string folderBefore = State().saveFolder;
    ShowPainted(quillet.Handle());
    for (int command : {IDM_OPEN_FILE, IDM_SAVE_AS}) {
        FileDialogAnswerer answerer("");
        quillet.Command(command);
        EXPECT_EQ(answerer.dialogs.size(), 1u);
    }
    EXPECT_EQ(State().image.bytes, before.bytes);
    EXPECT_TRUE(State().imageValid);
    EXPECT_EQ(std::string(State().saveFolder), folderBefore);
    EXPECT_FALSE(WaitsForRepaint(quillet.Handle()));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder.Path() + "\\*.tvxio").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// Written by hand rather than by Save As, a file still loads.
TEST_F(ConfigFile, HandWrittenFilesLoad) {
    std::string two = HexText(Patterned(2, 7));
    const std::string one = HexText(Patterned(1, 7)), upper = two;
    for (char& c : two) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string path = folder.File("by hand.tvxio");
    for (const std::string& text : {"[tvxioconfig]\r\naxis1ioconfig=" + one + "\r\nAXIS2IOCONFIG=" + two + "\r\n",
                                    "[TVXIOConfig]\nAxis1IOConfig=" + one + "\nAxis2IOConfig=" + upper + "\n",
                                    "\xEF\xBB\xBF[TVXIOConfig]\r\nAxis1IOConfig=" + one + "\r\nAxis2IOConfig=" + upper,
                                    "[TVXIOConfig]\r\nAxis1IOConfig = " + one + "\r\n Axis2IOConfig =\t" + upper}) {
        WriteTextFile(path, text);
        EXPECT_TRUE(Open(path).empty()) << text;
        EXPECT_EQ(GetAxisRecord(State().image, 2).bytes, Patterned(2, 7).bytes) << text;
    }
}

TEST_F(ConfigFile, ADamagedValueRefusesTheWholeLoad) {
    const std::string twenty = HexText(Patterned(2)).substr(0, 60);
    const std::string notHex = "0G " + HexText(Patterned(2)).substr(3);
    const std::string outOfRange = "8000 " + HexText(Patterned(2)).substr(3);
    const std::string short63 = HexText(Patterned(2)).substr(0, 189);
    for (const std::string& damaged : {twenty, notHex, outOfRange, short63}) {
        const std::string path = folder.File("damaged.tvxio");
        WriteTextFile(path, "[TVXIOConfig]\r\n" + KeyLine(1, ExampleText) + KeyLine(2, damaged) +
                                KeyLine(3, ExampleText));
        HoldAxes(State(), 6, 30);
        State().imageValid = false;
        const IoConfigImage before = State().image;
        ShowPainted(quillet.Handle());
        ExpectWarning(Open(path), DamagedValueText(path, AxisKey(2)));
        EXPECT_EQ(State().image.bytes, before.bytes) << damaged;
        EXPECT_FALSE(State().imageValid);
    }
    // The warning names the file and the key.
    const std::string text = DamagedValueText("C:\\Data\\axes.tvxio", "Axis2IOConfig");
    EXPECT_NE(text.find("C:\\Data\\axes.tvxio"), std::string::npos);
    EXPECT_NE(text.find("Axis2IOConfig"), std::string::npos);
}

TEST_F(ConfigFile, AValueWithMoreThanSixtyFourNumbersIsRefusedHoweverLong) {
    const std::string path = folder.File("long.tvxio");
    std::string tail;
    for (int i = 0; i < 40; ++i) tail += "7F ";
    WriteTextFile(path, "[TVXIOConfig]\r\n" + KeyLine(1, ExampleText + tail));
    HoldAxes(State(), 0);
    ExpectWarning(Open(path), DamagedValueText(path, AxisKey(1)));
    EXPECT_EQ(GetAxisCount(State().image), 0);

    // Padded past what a 256-byte buffer would hold, 65 numbers in all.
    std::string padded = "00" + std::string(66, ' ');
    for (int i = 0; i < 62; ++i) padded += "00 ";
    ASSERT_EQ(padded.size(), 254u);
    padded += "1F 00";
    WriteTextFile(path, "[TVXIOConfig]\r\n" + KeyLine(1, padded));
    HoldAxes(State(), 0);
    ExpectWarning(Open(path), DamagedValueText(path, AxisKey(1)));
    EXPECT_EQ(GetAxisCount(State().image), 0);
}

TEST_F(ConfigFile, ASaveThatFailsIsReportedWithTheSystemsReason) {
    HoldAxes(State(), 2);
    const std::string missing = folder.File("missing") + "\\axes.tvxio";
    ExpectWarning(SaveAs(missing), "Quillet could not save the I/O configuration to the file\n" + missing +
                                       "\nPath not found.");

    // A file another program holds open without sharing.
    const std::string locked = FileOfAxes("locked.tvxio", 1, 5);
    const std::string before = ReadTextFile(locked);
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    FileDialogAnswerer answerer(locked);
    quillet.Command(IDM_SAVE_AS);
    CloseHandle(holder);
    ExpectWarning(answerer.boxes, SaveFailureText(locked, ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadTextFile(locked), before);
    EXPECT_EQ(SaveFailureText(locked, ERROR_SHARING_VIOLATION),
              "Quillet could not save the I/O configuration to the file\n" + locked + "\nSharing violation.");

    // The profile functions take the quotes off a quoted label: not the disk's fault.
    State().held.labels[7] = "\"ECO 12\"";
    const std::string quoted = folder.File("quoted.tvxio");
    ExpectWarning(SaveAs(quoted), "Quillet could not save the I/O configuration to the file\n" + quoted +
                                      "\nIts value Channel7 did not read back as it was written.");
}

// The profile functions report success on a full disk: only reading back
// tells.
TEST_F(ConfigFile, ASaveCutShortByAFullDiskLeavesTheFileAsItWasAndSaysSo) {
    const std::string path = FileOfAxes("kept.tvxio", 3, 5);
    const std::string before = ReadTextFile(path);
    HoldAxes(State(), 2);
    std::vector<SeenMessageBox> boxes;
    {
        const FullDisk full;
        boxes = SaveAs(path);
    }
    ASSERT_EQ(boxes.size(), 1u);
    const std::string start = "Quillet could not save the I/O configuration to the file\n" + path + "\n";
    EXPECT_EQ(boxes[0].text.substr(0, start.size()), start);
    EXPECT_EQ(ReadTextFile(path), before);
    EXPECT_EQ(FileNamesIn(folder.Path()), Lines{"kept.tvxio"});
}

TEST_F(ConfigFile, AFileDialogThatFailsSaysSo) {
    HoldAxes(State(), 1);
    const IoConfigImage before = State().image;
    // Just past the 260-character field: far longer names overrun Wine's own buffers.
    const std::string tooLong = folder.File(std::string(262 - folder.Path().size() - 7, 'a') + ".tvxio");
    for (int command : {IDM_SAVE_AS, IDM_OPEN_FILE}) {
        FileDialogAnswerer answerer(tooLong);
        quillet.Command(command);
        ExpectWarning(answerer.boxes, "Quillet could not use the file chosen: its path is longer than 259 characters.");
    }
    EXPECT_EQ(State().image.bytes, before.bytes);
    EXPECT_EQ(FileDialogFailureText(0x3002), "The file dialog failed (common dialog error 0x3002).");
}

// The whole road on the simulated board, through the driver's key of
// controller 0, which it takes up when opened.
class ConfigFileOnTheBoard : public ConfigFile {
protected:
    void SetUp() override {
        ConfigFile::SetUp();
        BindSimulatedBoardLibraries();
        RemoveDriverKeys();
    }
    void TearDown() override {
        RemoveDriverKeys();
        ConfigFile::TearDown();
    }

    SimulatedBoard board;
};

TEST_F(ConfigFileOnTheBoard, ReadSaveChangeOpenWriteAndReadAgain) {
    quillet.Command(IDM_READ_IO);
    ASSERT_TRUE(State().imageValid);
    const IoConfigImage read = State().image;
    const std::string path = folder.File("board.tvxio");
    SaveAs(path);

    SetChannel(State().image, 2, IoSignal::PlusLimit, 33);
    Open(path);
    EXPECT_EQ(GetChannel(State().image, 2, IoSignal::PlusLimit), GetChannel(read, 2, IoSignal::PlusLimit));
    EXPECT_EQ(State().image.bytes, read.bytes);

    SetChannel(State().image, 1, IoSignal::CoarseHome, 7);
    SetChannel(State().image, 8, IoSignal::HalfCurrent, 40);
    const IoConfigImage written = State().image;
    {
        MessageBoxAnswerer confirm(IDOK);
        State().held.unsaved = true;
        quillet.Command(IDM_WRITE_IO);
        quillet.AwaitDriverCommand();
        EXPECT_EQ(confirm.Seen().size(), 1u);
    }
    EXPECT_EQ(WindowText(quillet.Handle()), "board.tvxio - Quillet");
    State().image = IoConfigImage{};
    quillet.Command(IDM_READ_IO);
    EXPECT_EQ(State().image.bytes, written.bytes);
}

// A file dropped on the window, as Explorer hands it over.
void DropFile(HWND window, const std::string& path) {
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(files + 1), path.c_str(), path.size());
    GlobalUnlock(drop);
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

TEST_F(ConfigFileOnTheBoard, UnsavedChangesAreAskedAboutFirstAndEachAnswerDoesWhatItSays) {
    const std::string other = FileOfAxes("other.tvxio", 2, 5);
    struct Row {
        int command;  // 0 drops other.tvxio on the window
        int answer;
        const char* path;  // typed into every file dialog; none cancels it
        size_t dialogs;
        const char* caption;  // once replaced; none when kept
    };
    for (const Row& row : {Row{IDM_OPEN_FILE, IDCANCEL, "", 0, nullptr}, Row{IDM_OPEN_FILE, IDYES, "", 1, nullptr},
                           Row{IDM_OPEN_FILE, IDNO, "other.tvxio", 1, "other.tvxio - Quillet"},
                           Row{IDM_OPEN_FILE, IDYES, "saved.tvxio", 2, "saved.tvxio - Quillet"},
                           Row{IDM_READ_IO, IDNO, "", 0, "Controller 0 - Quillet"}, Row{0, IDCANCEL, "", 0, nullptr},
                           Row{0, IDNO, "", 0, "other.tvxio - Quillet"}, Row{WM_CLOSE, IDCANCEL, "", 0, nullptr}}) {
        State().held.unsaved = false;
        quillet.Command(IDM_READ_IO);
        SetChannel(State().image, 1, IoSignal::Enable, 33);
        State().held.unsaved = true;
        const IoConfigImage edited = State().image;
        FileDialogAnswerer answerer(*row.path ? folder.File(row.path) : "", row.answer);
        if (row.command == 0) DropFile(quillet.Handle(), other);
        else if (row.command == WM_CLOSE) SendMessageA(quillet.Handle(), WM_CLOSE, 0, 0);
        else quillet.Command(row.command);
        ASSERT_EQ(answerer.boxes.size(), 1u);
        EXPECT_EQ(answerer.boxes[0].text, UnsavedChangesQuestion);
        EXPECT_EQ(answerer.boxes[0].icon, WarningIcon);
        EXPECT_EQ(answerer.dialogs.size(), row.dialogs) << row.path;
        EXPECT_EQ(State().held.unsaved, row.caption == nullptr) << row.path;
        if (row.caption == nullptr) EXPECT_EQ(State().image.bytes, edited.bytes);
        else EXPECT_EQ(WindowText(quillet.Handle()), row.caption);
    }
    EXPECT_EQ(GetChannel(State().image, 1, IoSignal::Enable), 33);  // as saved.tvxio holds it
    EXPECT_TRUE(IsWindow(quillet.Handle()));
    State().held.unsaved = false;
}

// Cut to 255 characters, said in a box and in the status bar, saved as held.
TEST_F(ConfigFile, ALabelTooLongIsCutSaidAndSavedCut) {
    const std::string path = FileOfAxes("long.tvxio", 1, 0);
    WritePrivateProfileStringA("ChannelLabels", "Channel12", std::string(300, 'x').c_str(), path.c_str());
    const std::string said = "The label of channel 12 is longer than 255 characters: only its first 255 are kept.";
    ExpectWarning(Open(path), said);
    EXPECT_EQ(State().held.statusLine, said);
    SaveAs(path);
    EXPECT_EQ(ProfileValue(path, "ChannelLabels", "Channel12"), std::string(255, 'x'));
}

TEST_F(ConfigFile, OpenCopyOpensInTheCopiesFolderAndLeavesTheOtherDialogsWhereTheyWere) {
    const std::string copies = BackupFolder(State());
    CreateDirectoryA(copies.c_str(), nullptr);
    WriteTextFile(copies + "\\controller0-copy.tvxio", "[TVXIOConfig]\r\n" + KeyLine(1, HexText(Patterned(1))));
    const std::string before = State().saveFolder;
    FileDialogAnswerer answerer("controller0-copy.tvxio");
    quillet.Command(IDM_OPEN_COPY);
    EXPECT_EQ(WindowText(quillet.Handle()), "controller0-copy.tvxio - Quillet");
    EXPECT_EQ(State().saveFolder, before);
    RemoveTree(copies);
}

// The labels the window holds are saved with its records, under any name,
// in place of those a file saved over had.
TEST_F(ConfigFileOnTheBoard, ExportIoMapCarriesTheFilesLabelsWhichSaveAsKeeps) {
    const std::string path = FileOfAxes("labelled.tvxio", 2, 0);
    WritePrivateProfileStringA("ChannelLabels", "Channel3", "X1:3", path.c_str());
    const std::string other = FileOfAxes("other.tvxio", 1, 0);
    WritePrivateProfileStringA("ChannelLabels", "Channel9", "X9", other.c_str());
    WritePrivateProfileStringA("ChannelLabels", "Wiring", "sheet 4", other.c_str());  // no label: kept
    Open(path);
    for (const std::string& target : {path, folder.File("new.tvxio"), other}) {
        SaveAs(target);
        EXPECT_EQ(SectionKeys(target, "ChannelLabels"), (target == other ? Lines{"Wiring", "Channel3"} : Lines{"Channel3"}));
        EXPECT_EQ(ProfileValue(target, "ChannelLabels", "Channel3"), "X1:3");
    }
    FileDialogAnswerer answerer(folder.File("map"));
    quillet.Command(IDM_EXPORT_MAP);
    EXPECT_NE(ReadTextFile(folder.File("map.html")).find("<td>X1:3</td>"), std::string::npos);
    EXPECT_EQ(State().held.statusLine, "Saved the I/O map to " + folder.File("map.html") + ".");

    // For Excel: a byte-order mark, and a label that would be a formula as text.
    State().held.labels[3] = "=HYPERLINK(\"x\")";
    {
        FileDialogAnswerer excel(folder.File("map.csv"), IDOK, 1);
        quillet.Command(IDM_EXPORT_MAP);
    }
    const std::string csv = ReadTextFile(folder.File("map.csv"));
    EXPECT_EQ(csv.substr(0, 46), "\xEF\xBB\xBF" "channel,direction,axis,signal,state,label\r\n");
    EXPECT_NE(csv.find(",\"'=HYPERLINK(\"\"x\"\")\"\r\n"), std::string::npos) << csv;
}
