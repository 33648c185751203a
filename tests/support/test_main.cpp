// Every test starts and ends without a settings file, so that no test sees
// the controller or folder another one left behind.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/quillet_window.h"

namespace {

class FreshSettingsFile : public ::testing::Environment {
public:
    void SetUp() override { DeleteFileA(SettingsFilePath().c_str()); }
    void TearDown() override { DeleteFileA(SettingsFilePath().c_str()); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new FreshSettingsFile);
    return RUN_ALL_TESTS();
}
