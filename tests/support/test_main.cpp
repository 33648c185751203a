// Every test starts and ends without a settings file, so that no test sees
// the controller or folder another one left behind, also when several run in
// one process. The file goes before a test's fixture is built, since a
// fixture's main window reads it, and after the fixture is gone, since the
// window writes it when it closes.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/settings_file.h"

namespace {

class FreshSettingsFile : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override { DeleteFileA(SettingsFilePath().c_str()); }
    void OnTestEnd(const ::testing::TestInfo&) override { DeleteFileA(SettingsFilePath().c_str()); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettingsFile);
    return RUN_ALL_TESTS();
}
