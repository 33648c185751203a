#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/assignment_editor.h"
#include "app/messages.h"
#include "ioconfig/channel_offer.h"
#include "res/resource.h"
#include "tests/support/editor_sheet.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"
#include "tests/support/simulated_board.h"

namespace {

using Entries = std::vector<std::string>;
using Lines = std::vector<std::string>;

const int InputBoxes[] = {2002, 2003, 2004, 2005, 2022, 2023, 2024, 2025};
const int OutputBoxes[] = {2006, 2007, 2026, 2027};

// The open property sheet, as a user sees and works it.
class EditorSheet {
public:
    explicit EditorSheet(HWND sheet) : sheet_(sheet) {}

    HWND Handle() const { return sheet_; }
    HWND Page(int k) const { return PageOf(sheet_, k); }
    HWND Box(int k, int id) const { return BoxOf(sheet_, k, id); }

    Entries EntriesOf(int k, int id) const { return ::EntriesOf(Box(k, id)); }
    std::string Shown(int k, int id) const { return ShownEntry(Box(k, id)); }
    std::string TabText(int k) const {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETTABCONTROL, 0, 0));
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    std::string Text(int k, int id) const { return WindowText(GetDlgItem(Page(k), id)); }
    bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(sheet_, 0x3021)) != FALSE; }

    // Chooses an entry as a user's click does: selection, then CBN_SELCHANGE.
    void Choose(int k, int id, const std::string& entry) const {
        HWND box = Box(k, id);
        const LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(entry.c_str()));
        ASSERT_NE(index, CB_ERR) << entry;
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(Page(k), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }

private:
    HWND sheet_;
};

Entries Channels(std::initializer_list<int> channels) {
    Entries entries{"--"};
    for (int channel : channels) entries.push_back(std::to_string(channel));
    return entries;
}

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        BindSimulatedBoardLibraries();
        board.ClearCallLog();
    }

    // Runs the editor command; when the sheet is up, every page is brought
    // up, then `work` sees the sheet before it is closed with `button`.
    int Run(std::function<void(EditorSheet&)> work, int button = PSBTN_OK) {
        int result = -1;
        const auto open = [&] { result = EditIoAssignments(quillet.Handle(), quillet.State()); };
        const auto look = [&](HWND dialog) {
            EditorSheet sheet(dialog);
            work(sheet);
        };
        sheetsSeen = WorkInEditorSheet(open, look, button).sheets;
        return result;
    }

    void ReadImage() {
        quillet.Command(IDM_READ_IO);
        board.ClearCallLog();
    }

    SimulatedBoard board;
    QuilletWindow quillet;
    int sheetsSeen = 0;
};

}  // namespace

TEST_F(Editor, TheFlagsDecideWhichListsOfferAChannel) {
    board.Describe("channels = 5\nflags 1 = 0x101\nflags 2 = 0x102\nflags 3 = 0x103\n"
                   "flags 4 = 0x1\nflags 5 = 0x3\n");
    Run([](EditorSheet& sheet) {
        for (int k = 0; k < 4; ++k) {
            for (int id : InputBoxes) EXPECT_EQ(sheet.EntriesOf(k, id), Channels({1, 3})) << k << ":" << id;
            for (int id : OutputBoxes) EXPECT_EQ(sheet.EntriesOf(k, id), Channels({2, 3})) << k << ":" << id;
        }
    });
    EXPECT_EQ(sheetsSeen, 1);
}

TEST_F(Editor, WithoutChannelsEveryBoxOffersOnlyTheDashesBesideWhatTheImageHolds) {
    ReadImage();  // the default board: axis n's coarse home is n
    board.Describe("channels = 0\n");
    Run([](EditorSheet& sheet) {
        for (int k = 0; k < 4; ++k) {
            const std::string home = std::to_string(k + 1) + " (not offered)";
            EXPECT_EQ(sheet.EntriesOf(k, IDC_SERVO_COARSE_HOME), (Entries{"--", home}));
            EXPECT_EQ(sheet.Shown(k, IDC_SERVO_COARSE_HOME), home);
        }
    });
    EXPECT_EQ(board.CallLog().size(), 3u);  // open, configuration, close: no flag queries
}

TEST_F(Editor, PagesAreTitledByTheirAxisPairWhateverTheImageSays) {
    // A zero image: no axes, every record a stepper by its type.
    Run([](EditorSheet& sheet) {
        EXPECT_EQ(WindowText(sheet.Handle()), "I/O Configuration");
        EXPECT_EQ(sheet.TabText(0), "Axes 1 and 5");
        EXPECT_EQ(sheet.TabText(1), "Axes 2 and 6");
        EXPECT_EQ(sheet.TabText(2), "Axes 3 and 7");
        EXPECT_EQ(sheet.TabText(3), "Axes 4 and 8");
        EXPECT_EQ(WindowText(sheet.Page(2)), "Axes 3 and 7");
        EXPECT_EQ(sheet.Text(2, IDC_SERVO_GROUP), "Axis 3 (Servo)");
        EXPECT_EQ(sheet.Text(2, IDC_STEPPER_GROUP), "Axis 7 (Stepper)");
        EXPECT_EQ(sheet.Page(4), nullptr);
    });
}

TEST_F(Editor, EachBoxShowsItsSlotFromTheImage) {
    ReadImage();  // the default board: axis n's coarse home is n, enable 24 + n ...
    SetAxisCount(quillet.State().image, 4);  // axes 5 to 8 greyed on every page, still shown
    Run([](EditorSheet& sheet) {
        for (int box = 0; box < 4 * AxisBoxCount; ++box)
            EXPECT_EQ(IsWindowEnabled(sheet.Box(box / AxisBoxCount, AxisBoxAt(box % AxisBoxCount).id)),
                      AxisBoxAt(box % AxisBoxCount).servoColumn);
        EXPECT_EQ(sheet.Shown(0, IDC_SERVO_COARSE_HOME), "1");
        EXPECT_EQ(sheet.Shown(0, IDC_SERVO_PLUS_LIMIT), "9");
        EXPECT_EQ(sheet.Shown(2, IDC_SERVO_FAULT), "43");
        EXPECT_EQ(sheet.Shown(2, IDC_SERVO_ENABLE), "27");
        EXPECT_EQ(sheet.Shown(2, IDC_SERVO_DIRECTION), "35");   // offset 22 of axis 3
        EXPECT_EQ(sheet.Shown(2, IDC_STEPPER_MINUS_LIMIT), "23");
        EXPECT_EQ(sheet.Shown(2, IDC_STEPPER_HALF_CURRENT), "39");  // offset 21 of axis 7
        EXPECT_EQ(sheet.Shown(3, IDC_STEPPER_ENABLE), "32");
    });
}

// A box shows the channel the image holds, never one that merely begins
// with its digits; one its list does not offer gets an entry of its own,
// which OK keeps and which can be chosen again.
TEST_F(Editor, AStoredChannelIsShownAsItselfAndOneNotOfferedAsItsOwnEntry) {
    board.Describe("channels = 120\nflags 1-120 = 0x103\n");
    SetChannel(quillet.State().image, 1, IoSignal::CoarseHome, 12);
    SetChannel(quillet.State().image, 1, IoSignal::PlusLimit, 0);
    Run([](EditorSheet& sheet) {
        EXPECT_EQ(sheet.Shown(0, IDC_SERVO_COARSE_HOME), "12");
        EXPECT_EQ(sheet.Shown(0, IDC_SERVO_PLUS_LIMIT), "--");
    });

    board.Describe("channels = 31\nflags 1-29 = 0\nflags 30-31 = 0x103\n");
    SetChannel(quillet.State().image, 1, IoSignal::CoarseHome, 3);
    SetChannel(quillet.State().image, 1, IoSignal::PlusLimit, 5);
    SetChannel(quillet.State().image, 1, IoSignal::Direction, 33);
    const IoConfigImage before = quillet.State().image;
    Run([this](EditorSheet& sheet) {
        EXPECT_EQ(sheet.EntriesOf(0, IDC_SERVO_COARSE_HOME), (Entries{"--", "3 (not offered)", "30", "31"}));
        EXPECT_EQ(sheet.Shown(0, IDC_SERVO_COARSE_HOME), "3 (not offered)");
        EXPECT_EQ(sheet.EntriesOf(0, IDC_SERVO_DIRECTION), (Entries{"--", "30", "31", "33 (not offered)"}));
        EXPECT_EQ(sheet.Shown(0, IDC_SERVO_DIRECTION), "33 (not offered)");
        EXPECT_EQ(CutTexts(sheet.Handle()), Entries{});  // every label and list wide enough
        sheet.Choose(0, IDC_SERVO_PLUS_LIMIT, "31");
        EXPECT_EQ(GetChannel(quillet.State().image, 1, IoSignal::PlusLimit), 31);
        sheet.Choose(0, IDC_SERVO_PLUS_LIMIT, "5 (not offered)");
    });
    EXPECT_EQ(quillet.State().image.bytes, before.bytes);
}

TEST_F(Editor, EveryStoredChannelIsShownAsItself) {
    board.Describe("channels = 255\nflags 1-255 = 0\nflags 7 = 0x101\nflags 30-31 = 0x101\n"
                   "flags 100-120 = 0x101\nflags 200 = 0x101\n");
    for (int axis = 1; axis <= 4; ++axis)
        for (int signal = 16; signal <= 19; ++signal)
            SetChannel(quillet.State().image, axis, static_cast<IoSignal>(signal),
                       static_cast<uint8_t>(axis * 61 + signal * 7));
    Run([this](EditorSheet& sheet) {
        for (int k = 0; k < 4; ++k) {
            for (int row = 0; row < 4; ++row) {
                const uint8_t stored = GetChannel(quillet.State().image, k + 1, static_cast<IoSignal>(16 + row));
                const bool offered = stored == 7 || stored == 30 || stored == 31 || (stored >= 100 && stored <= 120) ||
                                     stored == 200;
                const std::string expected = stored == 0 ? "--"
                                             : offered   ? std::to_string(stored)
                                                         : std::to_string(stored) + " (not offered)";
                EXPECT_EQ(sheet.Shown(k, IDC_SERVO_COARSE_HOME + row), expected);
            }
        }
    });
}

TEST_F(Editor, AChoiceWritesExactlyItsSlotsByte) {
    ReadImage();
    const IoConfigImage before = quillet.State().image;
    Run([this, &before](EditorSheet& sheet) {
        EXPECT_FALSE(sheet.ApplyEnabled());
        for (int box = 0; box < 4 * AxisBoxCount; ++box)  // eight axes: none greyed
            EXPECT_TRUE(IsWindowEnabled(sheet.Box(box / AxisBoxCount, AxisBoxAt(box % AxisBoxCount).id)));
        sheet.Choose(2, IDC_SERVO_DIRECTION, "40");
        IoConfigImage expected = before;
        expected.bytes[256 + 2 * 64 + 22] = 40;  // axis 3, offset 22
        EXPECT_EQ(quillet.State().image.bytes, expected.bytes);
        EXPECT_TRUE(sheet.ApplyEnabled());

        sheet.Choose(2, IDC_STEPPER_HALF_CURRENT, "25");
        expected.bytes[256 + 6 * 64 + 21] = 25;  // axis 7, offset 21
        EXPECT_EQ(quillet.State().image.bytes, expected.bytes);

        sheet.Choose(0, IDC_STEPPER_COARSE_HOME, "--");
        expected.bytes[256 + 4 * 64 + 16] = 0;  // axis 5, no channel
        EXPECT_EQ(quillet.State().image.bytes, expected.bytes);
    });
}

TEST_F(Editor, CancelGoesBackToTheLastApplyAndOnlyKeptChangesMarkTheCaption) {
    ReadImage();
    const IoConfigImage read = quillet.State().image;
    struct Row {
        bool applyFirst;
        UINT message;  // Cancel, Escape (IDCANCEL), the close box, or OK
        WPARAM closing;
        uint8_t kept;
    };
    for (const Row& row : {Row{false, PSM_PRESSBUTTON, PSBTN_CANCEL, 25}, Row{false, WM_COMMAND, IDCANCEL, 25},
                           Row{false, WM_SYSCOMMAND, SC_CLOSE, 25}, Row{true, PSM_PRESSBUTTON, PSBTN_CANCEL, 34},
                           Row{false, PSM_PRESSBUTTON, PSBTN_OK, 33}}) {
        quillet.State().image = read;
        quillet.State().held.unsaved = false;
        ShowPainted(quillet.Handle());
        ModalAnswerer answerer([&row](HWND dialog) {
            EditorSheet sheet(dialog);
            PumpMessages();
            if (row.applyFirst) {
                sheet.Choose(0, IDC_SERVO_ENABLE, "34");
                SendMessageA(dialog, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
            }
            sheet.Choose(0, IDC_SERVO_ENABLE, "33");
            SendMessageA(dialog, row.message, row.closing, 0);
        });
        quillet.Command(IDM_RECONFIGURE_IO);
        EXPECT_EQ(answerer.DialogsAnswered(), 1);
        EXPECT_EQ(GetChannel(quillet.State().image, 1, IoSignal::Enable), row.kept) << row.message;
        EXPECT_EQ(WindowText(quillet.Handle()), row.kept == 25 ? "Controller 0 - Quillet" : "*Controller 0 - Quillet");
        EXPECT_TRUE(WaitsForRepaint(quillet.Handle()));
    }
}

TEST_F(Editor, AControllerThatWillNotOpenGetsOnlyAWarning) {
    ReadImage();
    const IoConfigImage before = quillet.State().image;
    board.Describe("open = 0\n");
    MessageBoxAnswerer boxes;
    EXPECT_EQ(EditIoAssignments(quillet.Handle(), quillet.State()), 0);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].owner, quillet.Handle());
    EXPECT_EQ(boxes.Seen()[0].caption, "IO Config Error");
    EXPECT_EQ(boxes.Seen()[0].text, "Unable to access motion controller");
    EXPECT_EQ(boxes.Seen()[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(quillet.State().image.bytes, before.bytes);
    EXPECT_TRUE(quillet.State().imageValid);
    EXPECT_EQ(board.CallLog(), Lines{"KXOpen(0, 2, \"\") = 0"});
}

TEST_F(Editor, AChannelConfigurationThatCannotBeReadClosesTheControllerAndShowsNoSheet) {
    board.Describe("configuration = -2\n");
    quillet.State().controllerId = 3;
    MessageBoxAnswerer boxes;
    EXPECT_EQ(EditIoAssignments(quillet.Handle(), quillet.State()), 0);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].owner, quillet.Handle());
    EXPECT_EQ(boxes.Seen()[0].caption, "IO Config Error");
    EXPECT_EQ(boxes.Seen()[0].text, "Quillet could not read the channel configuration of controller 3.");
    EXPECT_EQ(boxes.Seen()[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    const Lines log = board.CallLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].substr(0, 24), "KXGetConfigurationEx(1, ");
    EXPECT_EQ(log[2], "KXClose(1)");
}

TEST_F(Editor, ChannelsThatCannotBeReadAreOfferedNowhereAndCountedBeforeTheSheet) {
    board.Describe("channels = 8\nflags 1-8 = 0x103\nchannelQuery 5-7 = -4\n");
    std::vector<SeenMessageBox> warnings;
    bool sheetAfterWarning = false;
    WorkInEditorSheet([&] { EditIoAssignments(quillet.Handle(), quillet.State()); },
                      [&](HWND sheet) {
                          sheetAfterWarning = warnings.size() == 1;
                          EXPECT_EQ(EntriesOf(BoxOf(sheet, 0, IDC_SERVO_FAULT)), Channels({1, 2, 3, 4, 8}));
                          EXPECT_EQ(EntriesOf(BoxOf(sheet, 3, IDC_STEPPER_ENABLE)), Channels({1, 2, 3, 4, 8}));
                      },
                      PSBTN_CANCEL,
                      [&](HWND box) {
                          warnings.push_back(ReadMessageBox(box));
                          PressButton(box, IDOK);
                      });
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(sheetAfterWarning);
    EXPECT_EQ(warnings[0].caption, "IO Config Error");
    EXPECT_EQ(warnings[0].owner, quillet.Handle());
    EXPECT_EQ(warnings[0].text, "Quillet could not read 3 channels of controller 0.\nThe editor does not offer them.");
    EXPECT_EQ(UnreadChannelsText(65535, 1), "Quillet could not read 1 channel of controller -1.\nThe editor does not offer it.");
}

TEST_F(Editor, EveryChannelIsQueriedOnceBeforeTheSheetWhileTheControllerIsHeldOpen) {
    board.Describe("channels = 6\n");
    quillet.State().controllerId = 3;
    Lines whileOpen;
    const int result = Run([&](EditorSheet&) { whileOpen = board.CallLog(); });
    EXPECT_EQ(result, 1);  // closed with OK after a change-free run
    ASSERT_EQ(whileOpen.size(), 2u + 6u);
    EXPECT_EQ(whileOpen[0], "KXOpen(3, 2, \"\") = 1");
    EXPECT_EQ(whileOpen[1].substr(0, 24), "KXGetConfigurationEx(1, ");
    EXPECT_EQ(whileOpen[1].substr(whileOpen[1].size() - 9), " size=128");
    for (int channel = 1; channel <= 6; ++channel)
        EXPECT_EQ(whileOpen[static_cast<size_t>(2 + channel - 1)].substr(0, 28),
                  "KXGetDigitalIOConfig(1, " + std::to_string(channel) + ", 0");
    const Lines after = board.CallLog();
    ASSERT_EQ(after.size(), whileOpen.size() + 1);
    EXPECT_EQ(after.back(), "KXClose(1)");
}

TEST_F(Editor, AbsurdChannelCountsOfferChannelsOneTo255AtMost) {
    for (const char* count : {"100000", "2147483647", "256"}) {
        board.Describe(std::string("channels = ") + count + "\nflags 1-249 = 0\nflags 250-300 = 0x103\n");
        board.ClearCallLog();
        Run([](EditorSheet& sheet) {
            EXPECT_EQ(sheet.EntriesOf(1, IDC_STEPPER_ENABLE),
                      Channels({250, 251, 252, 253, 254, 255}));
        });
        EXPECT_EQ(board.CallLog().size(), 3u + 255u) << count;
    }
    board.Describe("channels = -5\n");
    board.ClearCallLog();
    Run([](EditorSheet& sheet) { EXPECT_EQ(sheet.EntriesOf(0, IDC_SERVO_FAULT), Entries{"--"}); });
    EXPECT_EQ(board.CallLog().size(), 3u);
}

TEST_F(Editor, PagesAcceptActivationAndApplyAndLeaveOtherNoticesAlone) {
    Run([](EditorSheet& sheet) {
        HWND page = sheet.Page(1);
        for (UINT code : {PSN_SETACTIVE, PSN_APPLY, PSN_KILLACTIVE}) {
            const bool answered = code != static_cast<UINT>(PSN_KILLACTIVE);
            SetWindowLongPtrA(page, DWLP_MSGRESULT, 77);
            NMHDR notice{sheet.Handle(), 0, code};
            const LRESULT handled = AxisPairPage(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
            EXPECT_EQ(handled, answered ? TRUE : FALSE) << code;
            EXPECT_EQ(GetWindowLongPtrA(page, DWLP_MSGRESULT), answered ? 0 : 77) << code;
        }
    });
}
