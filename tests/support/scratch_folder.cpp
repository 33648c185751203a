#include "tests/support/scratch_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "controller/messages.h"

namespace {

// Names already taken are skipped; this many in a row means something else
// is wrong.
constexpr int NameTries = 100;

}  // namespace

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned serial = 0;
    std::string name;
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int tries = 0; tries < NameTries && error == ERROR_ALREADY_EXISTS; ++tries) {
        std::ostringstream candidate;
        candidate << temp << "quillet-test-" << GetCurrentProcessId() << "-" << ++serial;
        name = candidate.str();
        if (CreateDirectoryA(name.c_str(), nullptr)) {
            path_ = name;
            return;
        }
        error = GetLastError();
    }
    // path_ stays empty: nothing is removed in its name.
    ADD_FAILURE() << "cannot create the scratch folder " << name << ": error " << error << ", "
                  << SystemErrorText(error);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string ScratchFolder::File(const std::string& name) const { return path_ + "\\" + name; }

void CopyFileOrFail(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
