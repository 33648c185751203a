// The simulated board and the settings file made to misbehave: every case
// ends as designed, without a crash, and quickly.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/settings.h"
#include "ioconfig/summary_layout.h"
#include "app/assignment_editor.h"
#include "res/resource.h"
#include "tests/support/editor_sheet.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"
#include "tests/support/settings_file.h"
#include "tests/support/simulated_board.h"

namespace {

using Lines = std::vector<std::string>;

std::string AllBytes(int value, int count) {
    std::string text;
    char hex[4];
    for (int i = 0; i < count; ++i) {
        std::snprintf(hex, sizeof hex, "%02X ", value);
        text += hex;
    }
    return text;
}

class FaultyBoard : public ::testing::Test {
protected:
    void SetUp() override {
        BindSimulatedBoardLibraries();
        board.ClearCallLog();
    }

    // Runs the editor, brings every page up and hands the sheet to `look`.
    void RunEditor(const std::function<void(HWND sheet)>& look) {
        const EditorSheetRun run = WorkInEditorSheet(
            [this] { EditIoAssignments(quillet.Handle(), quillet.State()); }, look, PSBTN_CANCEL);
        EXPECT_EQ(run.dialogs, 1);
    }

    SimulatedBoard board;
    QuilletWindow quillet;
};

}  // namespace

TEST_F(FaultyBoard, ANegativeOpenResultIsAFailedOpenForTheEditorToo) {
    board.Describe("open = -32768\n");
    MessageBoxAnswerer boxes;
    EXPECT_EQ(EditIoAssignments(quillet.Handle(), quillet.State()), 0);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Unable to access motion controller");
    EXPECT_EQ(board.CallLog(), Lines{"KXOpen(0, 2, \"\") = -32768"});
}

TEST_F(FaultyBoard, StrayFlagBitsAreIgnored) {
    board.Describe("channels = 4\nflags 1 = 0xFFFFFEFF\nflags 2 = 0x80000101\nflags 3 = 0x7FFFF3FE\n"
                   "flags 4 = 0xFFFFFFFF\n");
    RunEditor([](HWND sheet) {
        EXPECT_EQ(EntryCount(BoxOf(sheet, 0, IDC_SERVO_COARSE_HOME)), 3);  // "--", 2, 4
        EXPECT_EQ(EntryCount(BoxOf(sheet, 3, IDC_STEPPER_ENABLE)), 3);     // "--", 3, 4
    });
}

TEST_F(FaultyBoard, ExactlyChannel255IsTheLastOneOffered) {
    board.Describe("channels = 255\nflags 1-255 = 0x103\n");
    SetChannel(quillet.State().image, 4, IoSignal::Direction, 255);
    RunEditor([](HWND sheet) {
        EXPECT_EQ(EntryCount(BoxOf(sheet, 3, IDC_SERVO_DIRECTION)), 256);
        EXPECT_EQ(ShownEntry(BoxOf(sheet, 3, IDC_SERVO_DIRECTION)), "255");
    });
    EXPECT_EQ(board.CallLog().size(), 3u + 255u);
}

TEST_F(FaultyBoard, AxisCountsBeyondTheImageAreReadAndPaintedAsSixteenAxes) {
    // 13 texts an axis, for at most the 16 records the image holds.
    const std::pair<const char*, int> cases[] = {{"0", 0}, {"16", 208}, {"17", 208}, {"0xFFFF", 208}};
    for (const auto& [count, summaryTexts] : cases) {
        board.Describe(std::string("axisCount = ") + count + "\n");
        quillet.Command(IDM_READ_IO);
        EXPECT_TRUE(quillet.State().imageValid);
        EXPECT_EQ(GetAxisCount(quillet.State().image), std::stoul(count, nullptr, 0)) << count;
        ShowPainted(quillet.Handle());  // paints without touching memory past the image
        EXPECT_EQ(static_cast<int>(LayOutSummary(quillet.State().image).size()), summaryTexts) << count;
    }
}

TEST_F(FaultyBoard, ARecordOfAllOnesIsShownAsAStepperWithChannel255) {
    board.Describe("axisCount = 1\nrecord 1 = " + AllBytes(0xFF, 64) + "\n");
    quillet.Command(IDM_READ_IO);
    const std::vector<SummaryText> texts = LayOutSummary(quillet.State().image);
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts[0].text, "Axis 1: Stepper");
    for (size_t line = 0; line < 6; ++line) EXPECT_EQ(texts[2 + 2 * line].text, "255");
    ShowPainted(quillet.Handle());
    board.Describe("channels = 300\nflags 1-300 = 0x103\n");
    RunEditor([](HWND sheet) { EXPECT_EQ(ShownEntry(BoxOf(sheet, 0, IDC_SERVO_COARSE_HOME)), "255"); });
}

TEST(FaultySettings, AGarbledSettingsFileFallsBackToTheDefaults) {
    const std::string path = SettingsFilePath();
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char garbage[] = "\xFF\xFE[Settings\r\nControllerID=\x01\x02zz\r\n=\r\n[[[\r\nSaveToFolder\r\n\0\0\0";
        DWORD written = 0;
        WriteFile(file, garbage, sizeof garbage, &written, nullptr);
        CloseHandle(file);
    }
    char documents[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    QuilletWindow quillet;
    EXPECT_EQ(quillet.State().controllerId, 0);
    EXPECT_STREQ(quillet.State().saveFolder, documents);
}

TEST(FaultySettings, AnOverlongFolderValueIsCutToItsField) {
    WritePrivateProfileStringA("Settings", "SaveToFolder", std::string(400, 'f').c_str(),
                               SettingsFilePath().c_str());
    WritePrivateProfileStringA("Settings", "ControllerID", "-2147483648", SettingsFilePath().c_str());
    QuilletWindow quillet;
    EXPECT_EQ(strlen(quillet.State().saveFolder), 259u);
    EXPECT_EQ(quillet.State().controllerId, INT32_MIN);
}

// The per-user application-data folder moved to a path so long that the
// settings path is cut at 259 characters; put back whatever happens.
class LongApplicationDataFolder : public ::testing::Test {
protected:
    static constexpr const char* Folders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

    void SetUp() override {
        RegOpenKeyExA(HKEY_CURRENT_USER, Folders, 0, KEY_READ | KEY_WRITE, &key);
        DWORD size = sizeof saved;
        hadValue = RegQueryValueExA(key, "AppData", nullptr, &savedType,
                                    reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "quillet-long-";
        folder += std::string(240 - folder.size(), 'x');
        CreateDirectoryA(folder.c_str(), nullptr);
        RegSetValueExA(key, "AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
    }

    void TearDown() override {
        if (hadValue)
            RegSetValueExA(key, "AppData", 0, savedType, reinterpret_cast<BYTE*>(saved),
                           static_cast<DWORD>(strlen(saved) + 1));
        RegCloseKey(key);
        RemoveDirectoryA((folder + "\\Kestrix\\Utilities").c_str());
        RemoveDirectoryA((folder + "\\Kestrix").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    HKEY key = nullptr;
    bool hadValue = false;
    DWORD savedType = REG_EXPAND_SZ;
    char saved[MAX_PATH * 2] = {};
    std::string folder;
};

TEST_F(LongApplicationDataFolder, CutsTheSettingsPathAt259Characters) {
    AppState state{};
    SetUpSettingsPaths(state);
    const std::string expected = (folder + "\\Kestrix\\Utilities\\quillet.ini").substr(0, 259);
    EXPECT_EQ(std::string(state.settingsPath), expected);
}
