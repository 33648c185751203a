#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"
#include "res/resource.h"
#include "tests/support/axis_records.h"
#include "tests/support/child_process.h"
#include "tests/support/file_tree.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/settings_file.h"
#include "tests/support/simulated_board.h"

namespace {

std::string ShellFolder(int id) {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::string Setting(const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA("Settings", key, "(missing)", value, sizeof value, SettingsFilePath().c_str());
    return value;
}

void StoreSetting(const char* key, const std::string& value) {
    WritePrivateProfileStringA("Settings", key, value.c_str(), SettingsFilePath().c_str());
}

}  // namespace

TEST(Settings, LiveInKestrixUtilitiesUnderTheApplicationDataFolder) {
    const std::string appData = ShellFolder(CSIDL_APPDATA);
    ASSERT_FALSE(appData.empty());
    QuilletWindow quillet;
    EXPECT_EQ(std::string(quillet.State().settingsPath), appData + "\\Kestrix\\Utilities\\quillet.ini");
    EXPECT_TRUE(FileExists(appData + "\\Kestrix\\Utilities"));
}

TEST(Settings, TheFirstRunUsesControllerZeroAndTheDocumentsFolderAndWritesBoth) {
    ASSERT_FALSE(FileExists(SettingsFilePath()));
    const std::string documents = ShellFolder(CSIDL_PERSONAL);
    {
        QuilletWindow quillet;
        EXPECT_EQ(quillet.State().controllerId, 0);
        EXPECT_EQ(std::string(quillet.State().saveFolder), documents);
        EXPECT_FALSE(FileExists(SettingsFilePath()));
    }
    EXPECT_EQ(Setting("ControllerID"), "0");
    EXPECT_EQ(Setting("SaveToFolder"), documents);
}

TEST(Settings, StoredValuesAreReadAtCreationAndWrittenBackAtTheEnd) {
    StoreSetting("ControllerID", "7");
    StoreSetting("SaveToFolder", "D:\\nowhere\\axes");
    {
        QuilletWindow quillet;
        EXPECT_EQ(quillet.State().controllerId, 7);
        EXPECT_EQ(std::string(quillet.State().saveFolder), "D:\\nowhere\\axes");
        quillet.State().controllerId = -12;
        strcpy(quillet.State().saveFolder, "C:\\Data\\");
    }
    EXPECT_EQ(Setting("ControllerID"), "-12");
    EXPECT_EQ(Setting("SaveToFolder"), "C:\\Data\\");
}

TEST(Settings, AnEmptyFolderValueGivesTheDocumentsFolder) {
    StoreSetting("SaveToFolder", "");
    { QuilletWindow quillet; }
    EXPECT_EQ(Setting("SaveToFolder"), ShellFolder(CSIDL_PERSONAL));
}

TEST(Settings, AControllerBeyondSixteenBitsIsKeptWholeButUsedByItsLowBits) {
    SimulatedBoard board;
    BindSimulatedBoardLibraries();
    board.ClearCallLog();
    StoreSetting("ControllerID", "70000");
    {
        QuilletWindow quillet;
        EXPECT_EQ(quillet.State().controllerId, 70000);
        quillet.Command(IDM_READ_IO);
    }
    EXPECT_EQ(board.CallLog().front(), "KXOpen(4464, 2, \"\") = 1");
    EXPECT_EQ(Setting("ControllerID"), "70000");
}

TEST(Settings, PathsAreCutToTheirFieldKeepingTheTerminator) {
    char field[PathFieldSize];
    std::string start(250, 'a');
    strcpy(field, start.c_str());
    AppendToPathField(field, sizeof field, "\\Kestrix");
    AppendToPathField(field, sizeof field, "\\Utilities");
    AppendToPathField(field, sizeof field, "\\quillet.ini");
    EXPECT_EQ(std::string(field), start + "\\Kestrix\\");
    EXPECT_EQ(strlen(field), 259u);
    char small[4] = "ab";
    AppendToPathField(small, sizeof small, "cdef");
    EXPECT_STREQ(small, "abc");
}

// Whole runs of quillet.exe: the command line goes through WinMain.
class SettingsOfARun : public ::testing::Test {
protected:
    void SetUp() override { InstallQuillet(folder.Path()); }

    // Starts Quillet with arguments, reads I/O once and closes it.
    void RunAndRead(const std::string& arguments) {
        ChildProcess quillet(folder.File("quillet.exe"), folder.Path(), arguments);
        HWND window = quillet.WaitForWindow("Quillet", true);
        ASSERT_NE(window, nullptr);
        SendMessageA(window, WM_COMMAND, IDM_READ_IO, 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(quillet.WaitForExit(), 0u);
    }

    ScratchFolder folder;
    SimulatedBoard board;
};

TEST_F(SettingsOfARun, ACommandLineControllerWinsAndIsWrittenBack) {
    StoreSetting("ControllerID", "7");
    RunAndRead("-b 3");
    EXPECT_EQ(board.CallLog().at(2), "KXOpen(3, 2, \"\") = 1");
    EXPECT_EQ(Setting("ControllerID"), "3");
}

TEST_F(SettingsOfARun, TheLongFormWorksFromTheRealCommandLine) {
    RunAndRead("--board=12");
    EXPECT_EQ(board.CallLog().at(2), "KXOpen(12, 2, \"\") = 1");
    EXPECT_EQ(Setting("ControllerID"), "12");
}

TEST_F(SettingsOfARun, Controller65535IsStoredAsMinusOne) {
    RunAndRead("-b 65535");
    EXPECT_EQ(board.CallLog().at(2), "KXOpen(65535, 2, \"\") = 1");
    EXPECT_EQ(Setting("ControllerID"), "-1");
}

TEST_F(SettingsOfARun, AFileNamedOnTheCommandLineOpensAndOneThatIsNotThereIsIgnored) {
    WriteTextFile(folder.File("press7.tvxio"), "[TVXIOConfig]\r\nAxis1IOConfig=" + HexText(Patterned(1)) + "\r\n");
    for (const auto& [arguments, caption] : {std::pair{"-b 3 \"" + folder.File("press7.tvxio") + "\"", "press7.tvxio - Quillet"},
                                             std::pair{std::string("missing.tvxio"), "Quillet"}}) {
        ChildProcess quillet(folder.File("quillet.exe"), folder.Path(), arguments);
        HWND window = quillet.WaitForWindow("Quillet", true);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(WindowText(window), caption);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(quillet.WaitForExit(), 0u);
    }
}

TEST_F(SettingsOfARun, ARefusedStartLeavesTheSettingsFileAsItWas) {
    DeleteFileA(folder.File("kxapi32.dll").c_str());
    StoreSetting("ControllerID", "5");
    const std::string before = ReadTextFile(SettingsFilePath());
    ChildProcess quillet(folder.File("quillet.exe"), folder.Path(), "-b 9");
    HWND box = quillet.WaitForWindow("#32770", true);
    ASSERT_NE(box, nullptr);
    PressButton(box, IDOK);
    EXPECT_EQ(quillet.WaitForExit(), 0u);
    EXPECT_EQ(ReadTextFile(SettingsFilePath()), before);
}
