// Each Write reaches the system's Event Log at its result's level. Wine
// keeps no log: it prints each report on its eventlog debug channel, at the
// class of the event's type, to the process's Unix stderr, which no Windows
// handle reaches, not even a child's. So CTest runs this case with
// WINEDEBUG=+eventlog and reads the three lines from its output
// (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include "controller/driver_update.h"
#include "tests/support/axis_records.h"
#include "tests/support/driver_keys.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/quillet_window.h"
#include "tests/support/simulated_board.h"

TEST(EventLog, EachWriteIsReportedAtItsResultsLevel) {
    BindSimulatedBoardLibraries();
    RemoveDriverKeys();
    const ScratchFolder folder;
    SimulatedBoard board;
    IoConfigImage image;
    for (int axis = 1; axis <= 2; ++axis) SetAxisRecord(image, axis, Patterned(axis));
    SetAxisCount(image, 2);
    const CopyRequest copy{folder.Path(), LocalClock, "", "tests", "", 9};
    EXPECT_EQ(WriteIoConfigToDriver(0, image, copy).check.result, WriteCheckResult::Verified);
    board.Describe("registry = off\n");
    EXPECT_EQ(WriteIoConfigToDriver(0, image, copy).check.result, WriteCheckResult::Differs);
    CopyRequest noCopy = copy;
    noCopy.folder = folder.File("file");
    CloseHandle(CreateFileA(noCopy.folder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    EXPECT_NE(WriteIoConfigToDriver(0, image, noCopy).copyError, 0u);
    RemoveDriverKeys();
}
