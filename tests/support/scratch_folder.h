// A fresh folder under the test prefix's temporary folder, removed with
// everything in it when the test ends. When none can be created, the test
// fails, saying why.
#pragma once

#include <string>

#include "tests/support/file_tree.h"

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // path_ + "\\" + name
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

void CopyFileOrFail(const std::string& from, const std::string& to);
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
