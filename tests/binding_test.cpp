#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "controller/library_binding.h"
#include "tests/support/child_process.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/pe_file.h"
#include "tests/support/quillet_window.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/simulated_board.h"

namespace {

const std::string LackingKrxputramex = "\\variants\\lacking-krxputramex\\kxapi32.dll";
const std::string LackingModuleDescEx = "\\variants\\lacking-KXDLG_ModuleDescEx\\kxdlg32.dll";

// The names a library exports, read from its file.
std::vector<std::string> ExportedNames(const std::string& library) {
    const PeFile file = ReadPeFile(ReadWholeFile(library));
    EXPECT_TRUE(file.valid) << library;
    return file.exportedNames;
}

std::vector<std::string> SortedList(const char* const* names, int count, const char* leftOut = "") {
    std::vector<std::string> list;
    for (int i = 0; i < count; ++i)
        if (std::string(names[i]) != leftOut) list.push_back(names[i]);
    std::sort(list.begin(), list.end());
    return list;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(EntryPointLists, HoldTheRequiredNamesOnceEachInLookupOrder) {
    EXPECT_STREQ(ApiEntryPointNames[0], "KXAbort");
    EXPECT_STREQ(ApiEntryPointNames[59], "KXOpen");
    EXPECT_STREQ(ApiEntryPointNames[143], "krxgetramex");
    EXPECT_STREQ(ApiEntryPointNames[144], "krxputramex");
    EXPECT_STREQ(DialogEntryPointNames[0], "KXDLG_AboutBox");
    EXPECT_STREQ(DialogEntryPointNames[13], "KXDLG_SelectController");
    EXPECT_STREQ(DialogEntryPointNames[16], "KXDLG_ModuleDescEx");
    EXPECT_EQ(std::set<std::string>(ApiEntryPointNames, ApiEntryPointNames + 145).size(), 145u);
    EXPECT_EQ(std::set<std::string>(DialogEntryPointNames, DialogEntryPointNames + 17).size(), 17u);
}

TEST(SimulatedBoardLibraries, ExportExactlyTheListedNamesUndecorated) {
    const std::string bin = ProgramFolder();
    EXPECT_EQ(Sorted(ExportedNames(bin + "\\kxapi32.dll")),
              SortedList(ApiEntryPointNames, ApiEntryPointCount));
    EXPECT_EQ(Sorted(ExportedNames(bin + "\\kxdlg32.dll")),
              SortedList(DialogEntryPointNames, DialogEntryPointCount));
    EXPECT_EQ(Sorted(ExportedNames(bin + LackingKrxputramex)),
              SortedList(ApiEntryPointNames, ApiEntryPointCount, "krxputramex"));
    EXPECT_EQ(Sorted(ExportedNames(bin + LackingModuleDescEx)),
              SortedList(DialogEntryPointNames, DialogEntryPointCount, "KXDLG_ModuleDescEx"));
}

TEST(LibraryBinding, ALibraryThatCannotBeLoadedGives29AndBindsNothing) {
    FARPROC slots[ApiEntryPointCount] = {};
    EXPECT_EQ(BindLibrary("no-such-kxapi32.dll", ApiEntryPointNames, ApiEntryPointCount, slots),
              BindLibraryMissing);
    EXPECT_EQ(BindLibraryMissing, 29);
    for (FARPROC slot : slots) EXPECT_EQ(slot, nullptr);
}

TEST(LibraryBinding, AMissingNameGives7AndKeepsTheSlotsBoundBeforeIt) {
    FARPROC slots[ApiEntryPointCount] = {};
    const std::string library = ProgramFolder() + LackingKrxputramex;
    EXPECT_EQ(BindLibrary(library.c_str(), ApiEntryPointNames, ApiEntryPointCount, slots),
              BindNameMissing);
    EXPECT_EQ(BindNameMissing, 7);
    for (int i = 0; i < ApiEntryPointCount - 1; ++i) EXPECT_NE(slots[i], nullptr) << ApiEntryPointNames[i];
    EXPECT_EQ(slots[ApiEntryPointCount - 1], nullptr);
}

TEST(LibraryBinding, CompleteLibrariesBindEverySlot) {
    ASSERT_EQ(BindApiLibrary(), BindSucceeded);
    ASSERT_EQ(BindDialogLibrary(), BindSucceeded);
    HMODULE api = GetModuleHandleA("kxapi32.dll");
    ASSERT_NE(api, nullptr);
    for (int i = 0; i < ApiEntryPointCount; ++i)
        EXPECT_EQ(apiEntryPoints.slots[i], GetProcAddress(api, ApiEntryPointNames[i]));
    for (FARPROC slot : dialogEntryPoints.slots) EXPECT_NE(slot, nullptr);
}

// Whole runs of quillet.exe, from a folder laid out as a user's PC might be.
class QuilletStartup : public ::testing::Test {
protected:
    // Starts Quillet, expects the version message, answers it and returns
    // its text once the process has ended with exit code 0.
    std::string RunExpectingVersionMessage(const std::string& workingFolder) {
        ChildProcess quillet(programFolder.File("quillet.exe"), workingFolder);
        EXPECT_TRUE(quillet.Started());
        HWND box = quillet.WaitForWindow("#32770", true);
        EXPECT_NE(box, nullptr) << "no version message";
        if (box == nullptr) return "";
        SeenMessageBox seen = ReadMessageBox(box);
        EXPECT_EQ(seen.caption, "Quillet");
        EXPECT_EQ(seen.owner, nullptr);
        // The main window exists but was never shown.
        HWND main = FindProcessWindow(GetProcessIdOfWindow(box), "Quillet", false);
        EXPECT_NE(main, nullptr);
        EXPECT_FALSE(IsWindowVisible(main));
        PressButton(box, IDOK);
        EXPECT_EQ(quillet.WaitForExit(), 0u);
        return seen.text;
    }

    static DWORD GetProcessIdOfWindow(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        return id;
    }

    ScratchFolder programFolder;
    SimulatedBoard board;
};

TEST_F(QuilletStartup, WithoutTheApiLibraryShowsTheApiVersionMessageAndNeverLoadsTheDialogs) {
    InstallQuillet(programFolder.Path(), "", "\\kxdlg32.dll");
    EXPECT_EQ(RunExpectingVersionMessage(programFolder.Path()),
              "This application requires version 340\nor later of the Kestrix API!");
    EXPECT_FALSE(Contains(board.CallLog(), "load kxdlg32.dll"));
}

TEST_F(QuilletStartup, AnApiLibraryLackingOneNameShowsTheApiVersionMessage) {
    InstallQuillet(programFolder.Path(), LackingKrxputramex, "\\kxdlg32.dll");
    EXPECT_EQ(RunExpectingVersionMessage(programFolder.Path()),
              "This application requires version 340\nor later of the Kestrix API!");
    EXPECT_TRUE(Contains(board.CallLog(), "load kxapi32.dll"));
    EXPECT_FALSE(Contains(board.CallLog(), "load kxdlg32.dll"));
}

TEST_F(QuilletStartup, ADialogLibraryLackingOneNameShowsTheDialogsVersionMessage) {
    InstallQuillet(programFolder.Path(), "\\kxapi32.dll", LackingModuleDescEx);
    EXPECT_EQ(RunExpectingVersionMessage(programFolder.Path()),
              "This application requires version 340\nor later of the Kestrix Dialogs!");
    EXPECT_TRUE(Contains(board.CallLog(), "load kxdlg32.dll"));
}

TEST_F(QuilletStartup, LibrariesInTheWorkingFolderAreNeverLoaded) {
    ScratchFolder workingFolder;
    InstallQuillet(programFolder.Path(), "", "");
    InstallQuillet(workingFolder.Path(), "\\kxapi32.dll", "\\kxdlg32.dll");
    EXPECT_EQ(RunExpectingVersionMessage(workingFolder.Path()),
              "This application requires version 340\nor later of the Kestrix API!");
    EXPECT_FALSE(Contains(board.CallLog(), "load kxapi32.dll"));
}

TEST_F(QuilletStartup, WithBothLibrariesCompleteShowsTheWindowAndExitsWithZero) {
    InstallQuillet(programFolder.Path(), "\\kxapi32.dll", "\\kxdlg32.dll");
    ChildProcess quillet(programFolder.File("quillet.exe"), programFolder.Path());
    HWND window = quillet.WaitForWindow("Quillet", true);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Quillet");
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT expected{};
    GetWindowRect(QuilletWindow().Handle(), &expected);  // as start-up makes it; Startup checks its size
    EXPECT_EQ(outer.right - outer.left, 1000);
    EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);
    EXPECT_TRUE(Contains(board.CallLog(), "load kxapi32.dll"));
    EXPECT_TRUE(Contains(board.CallLog(), "load kxdlg32.dll"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quillet.WaitForExit(), 0u);
}
