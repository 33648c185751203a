#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/file_tree.h"
#include "tests/support/scratch_folder.h"

namespace {

// The temporary folder named by TMP and TEMP moved to one that does not
// exist; put back whatever happens.
class MissingTemporaryFolder : public ::testing::Test {
protected:
    static constexpr const char* Missing = "C:\\quillet-no-such-folder\\";
    static constexpr const char* Variables[] = {"TMP", "TEMP"};

    void SetUp() override {
        for (int i = 0; i < 2; ++i) {
            char value[MAX_PATH] = {};
            had[i] = GetEnvironmentVariableA(Variables[i], value, sizeof value) != 0;
            saved[i] = value;
            SetEnvironmentVariableA(Variables[i], Missing);
        }
        ASSERT_FALSE(FileExists(Missing));
    }

    void TearDown() override {
        for (int i = 0; i < 2; ++i) SetEnvironmentVariableA(Variables[i], had[i] ? saved[i].c_str() : nullptr);
    }

    bool had[2] = {};
    std::string saved[2];
};

}  // namespace

TEST_F(MissingTemporaryFolder, AScratchFolderThatCannotBeCreatedFailsTheTestWithTheReason) {
    EXPECT_NONFATAL_FAILURE({ ScratchFolder folder; }, "error 3, ");  // ERROR_PATH_NOT_FOUND
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(std::string(temp), Missing);
}
