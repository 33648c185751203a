// Folders of one benchmark run under the temporary folder, removed with
// everything in them when the run is done with them.
#pragma once

#include <string>

#include "tests/support/file_tree.h"

class BenchFolder {
public:
    explicit BenchFolder(const std::string& name);
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // path + "\\" + name
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

void CopyOrFail(const std::string& from, const std::string& to);
void WriteTextFileOrFail(const std::string& path, const std::string& text);
