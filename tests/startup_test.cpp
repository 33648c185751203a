#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "app/summary_view.h"
#include "app/system_libraries.h"
#include "ioconfig/messages.h"
#include "ioconfig/summary_layout.h"
#include "res/resource.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"
#include "tests/support/simulated_board.h"

TEST(Startup, MainWindowClassIsRegisteredAsQuilletDrawsIt) {
    QuilletWindow quillet;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "Quillet", &windowClass));
    EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(windowClass.lpfnWndProc, MainWindowProc);
    EXPECT_EQ(windowClass.cbClsExtra, 0);
    EXPECT_EQ(windowClass.cbWndExtra, 4);
    EXPECT_NE(windowClass.hIcon, nullptr);
    EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_STREQ(windowClass.lpszMenuName, "AppMenu");
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(windowClass.hbrBackground, sizeof brush, &brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(255, 255, 255));
}

TEST(Startup, MainWindowIsCreatedHiddenWithItsCaptionSizeAndMenu) {
    QuilletWindow quillet;
    HWND window = quillet.Handle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & ~(WS_CLIPSIBLINGS | WS_VISIBLE),
              WS_OVERLAPPEDWINDOW);
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quillet");
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 1000);
    // Sixteen axes and a conflict: axis 16's last line and the count line
    // are above the status bar, under the horizontal scroll bar, unscrolled,
    // in a summary area no taller than its extent.
    IoConfigImage& image = quillet.State().image;
    SetAxisCount(image, 16);
    SetChannel(image, 1, IoSignal::Enable, 25);
    SetChannel(image, 2, IoSignal::Enable, 25);
    ShowHeldImage(window, quillet.State());
    RECT bar{};
    GetWindowRect(FindWindowExA(window, nullptr, "msctls_statusbar32", nullptr), &bar);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_LE(LayOutSummary(image).back().y + SummaryLineStep, bar.top);
    EXPECT_LE(SummaryFooterTop(image) + SummaryLineStep, bar.top);
    int low = 0, high = 0;
    GetScrollRange(window, SB_VERT, &low, &high);
    EXPECT_EQ(bar.top, high + 1);
    HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
}

TEST(Startup, CreationBuildsTheStateLinkedThroughUserData) {
    QuilletWindow quillet;
    AppState* state = reinterpret_cast<AppState*>(GetWindowLongPtrA(quillet.Handle(), GWLP_USERDATA));
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state, GetAppState(quillet.Handle()));
    EXPECT_EQ(state->mainWindow, quillet.Handle());
    EXPECT_FALSE(state->imageValid);
    EXPECT_EQ(state->deviceHandle, nullptr);
    EXPECT_EQ(state->controllerId, 0);
    for (uint8_t byte : state->image.bytes) ASSERT_EQ(byte, 0);
}

TEST(Startup, DestroyingTheWindowReleasesTheStateAndEndsTheLoop) {
    QuilletWindow quillet;
    HWND window = quillet.Handle();
    // A device handle left in the state is closed with it.
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    quillet.State().deviceHandle = copy;
    EXPECT_TRUE(quillet.CloseAndExpectQuit());
    EXPECT_FALSE(IsWindow(window));
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(copy, &flags));
    CloseHandle(event);
}

TEST(Startup, WmCreateAnswersOneSoCreationGoesOn) {
    QuilletWindow quillet;
    HWND probe = quillet.Handle();
    // A second state for the same window would leak the first; ask the
    // procedure directly with a window of our own instead.
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    CREATESTRUCTA create{};
    EXPECT_EQ(MainWindowProc(other, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)), 1);
    AppState* state = GetAppState(other);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->mainWindow, other);
    EXPECT_NE(state, GetAppState(probe));
    DestroyAppState(state);
    DestroyWindow(other);
}

TEST(Startup, TheAcceleratorsAreCtrlCOAndS) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "AppAccel");
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 3);
    const std::pair<WORD, WORD> expected[] = {{'C', IDM_COPY_SUMMARY}, {'O', IDM_OPEN_FILE}, {'S', IDM_SAVE_AS}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), FVIRTKEY | FCONTROL);
        EXPECT_EQ(std::pair(entries[i].key, entries[i].cmd), expected[i]);
    }
}

namespace {

std::vector<std::pair<UINT, DWORD>> filtered;

BOOL WINAPI RecordFilter(HWND, UINT message, DWORD action, void*) {
    filtered.push_back({message, action});
    return TRUE;
}

}  // namespace

// Quillet runs elevated: what a drop from Explorer sends passes UAC's filter.
TEST(Startup, TheMessagesOfADropAreLetThroughTheMessageFilter) {
    LetDropsThrough(nullptr, RecordFilter);
    EXPECT_EQ(filtered, (std::vector<std::pair<UINT, DWORD>>{{WM_DROPFILES, 1}, {WM_COPYDATA, 1}, {0x0049, 1}}));
    EXPECT_NE(WindowMessageFilter(), nullptr);
}

TEST(VersionMessage, NamesTheVersionAsThreeDigitsAndTheLibraryThatFailed) {
    EXPECT_EQ(VersionMessageText(ControllerLibrary::Api),
              "This application requires version 340\nor later of the Kestrix API!");
    EXPECT_EQ(VersionMessageText(ControllerLibrary::Dialogs),
              "This application requires version 340\nor later of the Kestrix Dialogs!");
}

TEST(VersionMessage, IsAnOwnerlessErrorBoxCaptionedQuillet) {
    MessageBoxAnswerer answerer;
    ShowVersionMessage(ControllerLibrary::Dialogs);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    const SeenMessageBox& box = answerer.Seen()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, "Quillet");
    EXPECT_EQ(box.text, "This application requires version 340\nor later of the Kestrix Dialogs!");
    EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_HAND));
}

namespace {

DWORD WINAPI NoProgramPath(HMODULE, LPWSTR, DWORD) { return 0; }
BOOL WINAPI RefuseDllDirectory(LPCWSTR) { return FALSE; }

}  // namespace

// Without the current folder dropped from the search, a planted library
// could be loaded: Quillet stops before it loads any.
TEST(LibrarySearch, WhenItCannotBeRestrictedQuilletSaysSoAndDoesNotStart) {
    SimulatedBoard board;
    for (int failing = 0; failing < 2; ++failing) {
        librarySearch = LibrarySearchCalls{};
        if (failing == 0) librarySearch.getModuleFileName = NoProgramPath;
        else librarySearch.setDllDirectory = RefuseDllDirectory;
        MessageBoxAnswerer answerer;
        char commandLine[] = "";
        EXPECT_EQ(RunQuillet(GetModuleHandleA(nullptr), commandLine, SW_SHOWNORMAL), 0);
        ASSERT_EQ(answerer.Seen().size(), 1u) << failing;
        const SeenMessageBox& box = answerer.Seen()[0];
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.caption, "Quillet");
        EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_HAND));
        EXPECT_EQ(box.text,
                  "Quillet did not start: it could not keep the controller libraries from being loaded from the current "
                  "folder.");
        EXPECT_EQ(FindWindowA(MainWindowClassName, nullptr), nullptr);
    }
    librarySearch = LibrarySearchCalls{};
    EXPECT_TRUE(board.CallLog().empty());
}
