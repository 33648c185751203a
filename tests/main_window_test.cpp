#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <source_location>
#include <string>
#include <vector>

#include "app/assignment_editor.h"
#include "app/status_bar.h"
#include "app/summary_view.h"
#include "app/window_dpi.h"
#include "res/resource.h"
#include "tests/support/called_from.h"
#include "tests/support/child_process.h"
#include "tests/support/editor_sheet.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"
#include "tests/support/settings_file.h"
#include "tests/support/simulated_board.h"

namespace {

using Lines = std::vector<std::string>;

bool IsGrayed(HMENU popup, UINT id) { return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

// Dark pixels in a rectangle of the client area, as painted, or those of
// one colour.
int DarkPixels(HWND window, RECT area, COLORREF colour = CLR_INVALID) {
    HDC dc = GetDC(window);
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (colour == CLR_INVALID ? GetRValue(pixel) < 128 : pixel == colour) ++dark;
        }
    ReleaseDC(window, dc);
    return dark;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        BindSimulatedBoardLibraries();
        board.ClearCallLog();
    }

    // Opens a popup of the menu bar as the system does, by position.
    LRESULT OpenPopup(int position, LPARAM lParam) {
        return SendMessageA(quillet.Handle(), WM_INITMENUPOPUP,
                            reinterpret_cast<WPARAM>(Popup(position)), lParam);
    }
    HMENU Popup(int position) { return GetSubMenu(GetMenu(quillet.Handle()), position); }

    std::string Window() { return LoggedPointer(quillet.Handle()); }

    void ExpectOpenFailureBox(const std::vector<SeenMessageBox>& boxes,
                              std::source_location caller = std::source_location::current()) {
        const CalledFrom trace(caller);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Quillet could not open controller 0.");
        EXPECT_EQ(boxes[0].caption, "Quillet");
        EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_WARNING));
        EXPECT_EQ(boxes[0].owner, quillet.Handle());
    }

    SimulatedBoard board;
    QuilletWindow quillet;
};

}  // namespace

TEST_F(MainWindow, ImageCommandsAreGreyedUntilAnImageIsHeld) {
    EXPECT_EQ(WindowText(quillet.Handle()), "Quillet");
    EXPECT_EQ(OpenPopup(0, 0), 0);
    for (UINT id : {IDM_SAVE_AS, IDM_COPY_SUMMARY, IDM_EXPORT_MAP}) EXPECT_TRUE(IsGrayed(Popup(0), id)) << id;
    for (UINT id : {IDM_OPEN_FILE, IDM_OPEN_COPY, IDM_EXIT}) EXPECT_FALSE(IsGrayed(Popup(0), id)) << id;
    EXPECT_EQ(OpenPopup(1, 1), 0);
    const UINT imageCommands[] = {IDM_WRITE_IO, IDM_RECONFIGURE_IO, IDM_CHECK_ASSIGNMENTS, IDM_COMPARE_CONTROLLER,
                                  IDM_COMPARE_STORED};
    for (UINT id : imageCommands) EXPECT_TRUE(IsGrayed(Popup(1), id)) << id;
    for (UINT id : {IDM_READ_IO, IDM_RESET_CONTROLLER, IDM_CONTROLLER_INFO, IDM_SELECT_CONTROLLER})
        EXPECT_FALSE(IsGrayed(Popup(1), id)) << id;

    quillet.Command(IDM_READ_IO);
    EXPECT_EQ(WindowText(quillet.Handle()), "Controller 0 - Quillet");
    OpenPopup(0, 0);
    OpenPopup(1, 1);
    EXPECT_FALSE(IsGrayed(Popup(0), IDM_SAVE_AS));
    EXPECT_FALSE(IsGrayed(Popup(0), IDM_COPY_SUMMARY));
    for (UINT id : imageCommands) EXPECT_FALSE(IsGrayed(Popup(1), id)) << id;
}

TEST_F(MainWindow, TheHelpPopupAndTheWindowMenuAreLeftAlone) {
    // Greyed by hand: only the File and Controller popups are brought up to date.
    EnableMenuItem(Popup(0), IDM_SAVE_AS, MF_BYCOMMAND | MF_GRAYED);
    quillet.State().imageValid = true;
    const LRESULT expected = DefWindowProcA(quillet.Handle(), WM_INITMENUPOPUP,
                                            reinterpret_cast<WPARAM>(Popup(2)), 2);
    EXPECT_EQ(OpenPopup(2, 2), expected);
    EXPECT_FALSE(IsGrayed(Popup(2), IDM_ABOUT));
    OpenPopup(0, MAKELPARAM(0, TRUE));  // the window menu's flag
    EXPECT_TRUE(IsGrayed(Popup(0), IDM_SAVE_AS));
    OpenPopup(0, 0);
    EXPECT_FALSE(IsGrayed(Popup(0), IDM_SAVE_AS));
}

TEST_F(MainWindow, ReadCopiesTheWholeAreaAndClosesTheController) {
    board.Describe("axisCount = 3\nbyte 0 = 0xAB\nbyte 255 = 0x11\nbyte 1279 = 0xCD\n");
    ShowPainted(quillet.Handle());
    EXPECT_EQ(quillet.Command(IDM_READ_IO), 0);
    AppState& state = quillet.State();
    EXPECT_TRUE(state.imageValid);
    EXPECT_EQ(GetAxisCount(state.image), 3);
    EXPECT_EQ(state.image.bytes[0], 0xAB);
    EXPECT_EQ(state.image.bytes[255], 0x11);
    EXPECT_EQ(state.image.bytes[1279], 0xCD);
    EXPECT_EQ(GetChannel(state.image, 2, IoSignal::PlusLimit), 10);  // the default board's axis 2
    EXPECT_EQ(board.CallLog(),
              (Lines{"KXOpen(0, 2, \"\") = 1",
                     "krxgetramex(1, 0xA0020200, " + LoggedPointer(state.image.bytes.data()) + ", 1280)",
                     "KXClose(1)"}));
    EXPECT_TRUE(WaitsForRepaint(quillet.Handle()));
}

TEST_F(MainWindow, ReadFromAControllerThatWillNotOpenChangesNothingButRepaintsAndSaysSo) {
    for (const char* openResult : {"0", "-1"}) {
        board.Describe(std::string("open = ") + openResult + "\n");
        board.ClearCallLog();
        ShowPainted(quillet.Handle());
        MessageBoxAnswerer boxes;
        quillet.Command(IDM_READ_IO);
        ExpectOpenFailureBox(boxes.Seen());
        EXPECT_FALSE(quillet.State().imageValid);
        EXPECT_EQ(GetAxisCount(quillet.State().image), 0);
        EXPECT_EQ(board.CallLog(), Lines{std::string("KXOpen(0, 2, \"\") = ") + openResult});
        EXPECT_TRUE(WaitsForRepaint(quillet.Handle()));
    }
    OpenPopup(0, 0);
    EXPECT_TRUE(IsGrayed(Popup(0), IDM_SAVE_AS));
}

TEST_F(MainWindow, AReadThatFailsKeepsTheImageAndSaysSo) {
    quillet.Command(IDM_READ_IO);
    const IoConfigImage before = quillet.State().image;
    board.Describe("readArea = -3\naxisCount = 5\n");
    board.ClearCallLog();
    quillet.State().controllerId = 65535;
    ShowPainted(quillet.Handle());
    MessageBoxAnswerer boxes;
    quillet.Command(IDM_READ_IO);
    EXPECT_EQ(quillet.State().image.bytes, before.bytes);
    EXPECT_TRUE(quillet.State().imageValid);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].owner, quillet.Handle());
    EXPECT_EQ(boxes.Seen()[0].caption, "Quillet");
    EXPECT_EQ(boxes.Seen()[0].icon, LoadIconA(nullptr, IDI_WARNING));
    EXPECT_EQ(boxes.Seen()[0].text,
              "Quillet could not read the I/O configuration of controller -1.\nThe summary was not changed.");
    const Lines log = board.CallLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2], "KXClose(1)");
}

TEST_F(MainWindow, TheLibrariesGetTheControllersLowSixteenBitsUnsigned) {
    quillet.State().controllerId = -1;
    quillet.Command(IDM_READ_IO);
    quillet.State().controllerId = 0x12345;
    quillet.Command(IDM_READ_IO);
    const Lines log = board.CallLog();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[0], "KXOpen(65535, 2, \"\") = 1");
    EXPECT_EQ(log[3], "KXOpen(9029, 2, \"\") = 1");
}

TEST_F(MainWindow, SelectControllerChangesOnlyTheControllerTheNextCommandsUse) {
    board.Describe("select = 3\n");
    quillet.Command(IDM_READ_IO);
    const IoConfigImage before = quillet.State().image;
    board.ClearCallLog();
    EXPECT_EQ(quillet.Command(IDM_SELECT_CONTROLLER), 0);
    EXPECT_EQ(quillet.State().controllerId, 3);
    EXPECT_TRUE(quillet.State().imageValid);
    EXPECT_EQ(quillet.State().image.bytes, before.bytes);
    quillet.Command(IDM_READ_IO);
    const Lines log = board.CallLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "KXDLG_SelectController(" + Window() + ", 0, 0, 0) = 3");
    EXPECT_EQ(log[1], "KXOpen(3, 2, \"\") = 1");
}

TEST_F(MainWindow, ACancelledSelectionKeepsTheController) {
    quillet.State().controllerId = 5;
    for (const char* answer : {"-1", "-32768", "65535"}) {
        board.Describe(std::string("select = ") + answer + "\n");
        quillet.Command(IDM_SELECT_CONTROLLER);
        EXPECT_EQ(quillet.State().controllerId, 5) << answer;
    }
}

TEST_F(MainWindow, SelectControllerShowsTheDialogLibrarysDialog) {
    ModalAnswerer answerer([](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "Select Controller");
        PressButton(dialog, IDCANCEL);
    });
    quillet.State().controllerId = 2;
    quillet.Command(IDM_SELECT_CONTROLLER);
    EXPECT_EQ(answerer.DialogsAnswered(), 1);
    EXPECT_EQ(quillet.State().controllerId, 2);
}

TEST_F(MainWindow, ControllerInfoShowsTheDialogWithTheOpenHandleThenClosesIt) {
    ModalAnswerer answerer([](HWND dialog) { PressButton(dialog, IDOK); });
    EXPECT_EQ(quillet.Command(IDM_CONTROLLER_INFO), 0);
    EXPECT_EQ(answerer.DialogsAnswered(), 1);
    EXPECT_EQ(board.CallLog(), (Lines{"KXOpen(0, 2, \"\") = 1",
                                      "KXDLG_ControllerInfo(" + Window() + ", 1, 0, 0)",
                                      "KXClose(1)"}));
}

TEST_F(MainWindow, ControllerInfoForAControllerThatWillNotOpenShowsOnlyThatItWillNot) {
    board.Describe("open = -3\n");
    MessageBoxAnswerer boxes;
    quillet.Command(IDM_CONTROLLER_INFO);
    ExpectOpenFailureBox(boxes.Seen());
    EXPECT_EQ(board.CallLog(), Lines{"KXOpen(0, 2, \"\") = -3"});
}

TEST_F(MainWindow, AboutShowsTheDialogLibrarysAboutBox) {
    std::string caption;
    ModalAnswerer answerer([&caption](HWND dialog) {
        caption = WindowText(dialog);
        PressButton(dialog, IDOK);
    });
    quillet.Command(IDM_ABOUT);
    EXPECT_EQ(caption, "About Quillet");
    EXPECT_EQ(board.CallLog(), Lines{"KXDLG_AboutBox(" + Window() + ", \"About Quillet\", 0)"});
}

TEST_F(MainWindow, ExitPostsCloseAndCloseDestroysTheWindowAtOnce) {
    HWND window = quillet.Handle();
    EXPECT_EQ(quillet.Command(IDM_EXIT), 0);
    EXPECT_TRUE(IsWindow(window));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.lParam, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindow, UnknownCommandsDoNothing) {
    for (int id : {1005, 2000, 0}) EXPECT_EQ(quillet.Command(id), 0);
    EXPECT_EQ(SendMessageA(quillet.Handle(), WM_COMMAND, MAKEWPARAM(1005, 1), 0), 0);
    EXPECT_TRUE(board.CallLog().empty());
    EXPECT_FALSE(quillet.State().imageValid);
    EXPECT_TRUE(IsWindow(quillet.Handle()));
}

TEST_F(MainWindow, CommandsIgnoreTheNotificationCode) {
    SendMessageA(quillet.Handle(), WM_COMMAND, MAKEWPARAM(IDM_READ_IO, 1), 0);
    EXPECT_TRUE(quillet.State().imageValid);
}

TEST_F(MainWindow, PaintsTheSummaryWhereItsLayoutPutsIt) {
    HWND window = quillet.Handle();
    ShowPainted(window);
    EXPECT_EQ(DarkPixels(window, {0, 0, 900, 340}), 0);  // no axes, nothing drawn

    quillet.Command(IDM_READ_IO);
    UpdateWindow(window);
    EXPECT_GT(DarkPixels(window, {30, 40, 110, 56}), 0);    // "Axis 1: Servo"
    EXPECT_GT(DarkPixels(window, {10, 60, 90, 76}), 0);     // "Coarse Home (inp)"
    EXPECT_GT(DarkPixels(window, {150, 60, 166, 76}), 0);   // " 1"
    EXPECT_GT(DarkPixels(window, {630, 200, 720, 216}), 0); // "Axis 8: Stepper"
    EXPECT_EQ(DarkPixels(window, {0, 0, 900, 38}), 0);      // above the first line
    EXPECT_EQ(DarkPixels(window, {0, 180, 900, 198}), 0);   // the empty line after each first axis
    EXPECT_EQ(DarkPixels(window, {810, 0, 980, 340}), 0);   // beyond the fourth column
}

TEST_F(MainWindow, ChannelsInConflictAreRedThoseInAWarningOrangeAndALineCountsThem) {
    HWND window = quillet.Handle();
    ShowPainted(window);
    SetWindowPos(window, nullptr, 0, 0, 1000, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);  // the count line above the status bar
    quillet.Command(IDM_READ_IO);
    UpdateWindow(window);
    const RECT enable{150, 140, 170, 156}, home{150, 60, 170, 76}, countLine{10, 360, 200, 370};
    EXPECT_EQ(DarkPixels(window, countLine), 0);  // the board's own assignments are clean
    EXPECT_EQ(DarkPixels(window, enable, ErrorChannelColour), 0);
    SetChannel(quillet.State().image, 2, IoSignal::Enable, 25);     // axis 1's
    SetChannel(quillet.State().image, 2, IoSignal::CoarseHome, 1);  // axis 1's
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_GT(DarkPixels(window, enable, ErrorChannelColour), 0);
    EXPECT_GT(DarkPixels(window, {150, 300, 170, 316}, ErrorChannelColour), 0);  // axis 2's
    EXPECT_GT(DarkPixels(window, home, WarningChannelColour), 0);
    EXPECT_EQ(DarkPixels(window, home, ErrorChannelColour), 0);
    EXPECT_GT(DarkPixels(window, countLine), 0);

    // Checked against the selected controller as Write checks, when it opens.
    MessageBoxAnswerer boxes;
    quillet.Command(IDM_CHECK_ASSIGNMENTS);
    board.Describe("axisCount = 1\n");
    quillet.Command(IDM_CHECK_ASSIGNMENTS);
    board.Describe("open = -1\n");
    quillet.State().controllerId = 3;
    quillet.Command(IDM_CHECK_ASSIGNMENTS);
    ASSERT_EQ(boxes.Seen().size(), 3u);
    const std::string findings = "Conflict: Output 25 is used by Axis 1 Amp Enable (out) and Axis 2 Amp Enable (out).\n"
                                 "Warning: Input 1 is used by Axis 1 Coarse Home (inp) and Axis 2 Coarse Home (inp).";
    EXPECT_EQ(boxes.Seen()[0].text, findings + "\n\nChecked against controller 0.");
    EXPECT_EQ(boxes.Seen()[1].text.substr(0, 62), "Conflict: Axis 2 is not the one axis of controller 0.\nConflict");
    EXPECT_EQ(boxes.Seen()[2].text, findings + "\n\nController 3 could not be opened: channels not checked.");
}

// The status bar names the controller the commands go to; a selection is
// kept at once, and Write says where the window's assignments came from.
TEST_F(MainWindow, TheStatusBarNamesTheSelectedControllerWhichTheSettingsKeepAtOnce) {
    HWND window = quillet.Handle();
    HWND bar = FindWindowExA(window, nullptr, "msctls_statusbar32", nullptr);
    ASSERT_NE(bar, nullptr);
    const auto target = [bar] {
        char text[64] = {};
        SendMessageA(bar, SB_GETTEXTA, TargetPart, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    EXPECT_EQ(target(), "Controller 0");
    quillet.State().controllerId = 6;
    quillet.Command(IDM_READ_IO);
    board.Describe("select = 9\n");
    quillet.Command(IDM_SELECT_CONTROLLER);
    EXPECT_EQ(target(), "Controller 9");
    EXPECT_EQ(WindowText(window), "Controller 6 - Quillet");
    char stored[16] = {};
    GetPrivateProfileStringA("Settings", "ControllerID", "", stored, sizeof stored, SettingsFilePath().c_str());
    EXPECT_EQ(std::string(stored), "9");

    MessageBoxAnswerer boxes(IDCANCEL);
    quillet.Command(IDM_WRITE_IO);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Quillet will now update the settings and restart\n controller 9. This may take "
                                    "up to 30 seconds.\n\nThe assignments shown were read from controller 6.");
    // Whether shown or not, the summary's area ends above the bar.
    RECT client{}, barRect{};
    GetClientRect(window, &client);
    GetWindowRect(bar, &barRect);
    EXPECT_EQ(SummaryArea(window).bottom, client.bottom - (barRect.bottom - barRect.top));
}

TEST_F(MainWindow, ComparisonsReadIntoAnImageOfTheirOwnAndListTheDifferences) {
    quillet.Command(IDM_READ_IO);
    SetChannel(quillet.State().image, 1, IoSignal::Enable, 29);
    const IoConfigImage held = quillet.State().image;
    MessageBoxAnswerer boxes;
    quillet.Command(IDM_COMPARE_CONTROLLER);
    quillet.Command(IDM_COMPARE_STORED);
    quillet.Command(IDM_READ_IO);
    quillet.Command(IDM_COMPARE_CONTROLLER);
    ASSERT_EQ(boxes.Seen().size(), 3u);
    EXPECT_EQ(boxes.Seen()[0].text,
              "The window's assignments differ from controller 0 (controller -> window):\n"
              "Axis 1 Amp Enable (out): 25 -> 29");
    EXPECT_EQ(boxes.Seen()[1].text.rfind("The window's assignments differ from the values stored for controller 0 "
                                         "(stored -> window):\nAxis 1: only in the window\nAxis 2: only in",
                                         0),
              0u);
    EXPECT_EQ(boxes.Seen()[2].text, "The window and controller 0 hold the same assignments.");
    EXPECT_NE(quillet.State().image.bytes, held.bytes);
}

TEST_F(MainWindow, ScrollBarsReachTheSixteenthAxisAndCopySummaryCopiesTheText) {
    HWND window = quillet.Handle();
    ShowPainted(window);
    board.Describe("axisCount = 16\n");
    quillet.Command(IDM_READ_IO);
    int low = 0, high = 0;
    GetScrollRange(window, SB_HORZ, &low, &high);
    EXPECT_GT(high + 1, 1410 + 140);  // past the last column's channel numbers
    SendMessageA(window, WM_HSCROLL, SB_BOTTOM, 0);
    UpdateWindow(window);
    const int left = 1410 - GetScrollPos(window, SB_HORZ);
    EXPECT_GT(DarkPixels(window, {left + 20, 200, left + 120, 216}), 0);  // "Axis 16: Stepper"
    GetScrollRange(window, SB_VERT, &low, &high);
    EXPECT_GT(high + 1, 380);  // the count line below the summary

    quillet.Command(IDM_COPY_SUMMARY);
    ASSERT_TRUE(OpenClipboard(window));
    const std::string text = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    CloseClipboard();
    EXPECT_EQ(text.substr(0, 40), "Axis 1: Servo\r\n  Coarse Home (inp)   1\r\n");
    EXPECT_EQ(text.substr(text.size() - 26), "  Half Current (out)  --\r\n");  // axis 16's
}

// At 150 % scaling every position is 1.5 times its own and no text runs into
// the next column. A process takes its DPI when it starts: the test runs
// itself again with LogPixels at 144.
TEST(HighDpi, TheSummaryIsLaidOutAtTheWindowsDpi) {
    constexpr char Child[] = "QUILLET_TEST_AT_144";
    if (GetEnvironmentVariableA(Child, nullptr, 0) == 0) {
        HKEY desktop = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop), ERROR_SUCCESS);
        const DWORD dpi = 144;
        RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        SetEnvironmentVariableA(Child, "1");
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, sizeof self);
        const FinishedRun run = RunToEnd(self, "--gtest_filter=HighDpi.*");
        SetEnvironmentVariableA(Child, nullptr);
        RegDeleteValueA(desktop, "LogPixels");
        RegCloseKey(desktop);
        std::string output;
        for (const std::string& line : run.out) output += line + "\n";
        EXPECT_EQ(run.status, 0u) << output;
        return;
    }
    BindSimulatedBoardLibraries();
    SimulatedBoard board;
    QuilletWindow quillet;
    HWND window = quillet.Handle();
    ASSERT_EQ(WindowDpi(window), 144);
    ShowPainted(window);
    quillet.Command(IDM_READ_IO);
    UpdateWindow(window);
    EXPECT_GT(DarkPixels(window, {45, 60, 165, 84}), 0);   // "Axis 1: Servo" at (45, 60)
    EXPECT_GT(DarkPixels(window, {225, 90, 249, 114}), 0);  // " 1" at (225, 90)
    EXPECT_EQ(DarkPixels(window, {0, 0, 1200, 57}), 0);    // above the first line
    EXPECT_EQ(DarkPixels(window, {262, 60, 313, 500}), 0);  // between the first column and the second
    board.Describe("channels = 0\n");  // each box's stored channel not offered
    WorkInEditorSheet([&] { EditIoAssignments(window, quillet.State()); },
                      [](HWND sheet) { EXPECT_EQ(CutTexts(sheet), Lines{}); }, PSBTN_CANCEL);
}
