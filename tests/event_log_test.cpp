// Each level reaches the system's Event Log as its event type. Wine keeps no
// log: it prints each report on its eventlog debug channel, at the class of
// the event's type, to the process's Unix stderr, which no Windows handle
// reaches, not even a child's. So CTest runs this case with WINEDEBUG=+eventlog
// and reads the three lines from its output (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include "controller/event_log.h"

TEST(EventLog, EachLevelIsReportedAsItsEventType) {
    EXPECT_EQ(ReportToEventLog(EventLevel::Information, "Quillet test: stored and verified"), 0u);
    EXPECT_EQ(ReportToEventLog(EventLevel::Warning, "Quillet test: differs after the write"), 0u);
    EXPECT_EQ(ReportToEventLog(EventLevel::Error, "Quillet test: the controller refused"), 0u);
}
