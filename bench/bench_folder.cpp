#include "bench/bench_folder.h"

#include <windows.h>

#include "bench/failure.h"

BenchFolder::BenchFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "quillet-bench-" + std::to_string(GetCurrentProcessId()) + "-" + name;
    // Left over from a run that was killed: start clean.
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) FailBench("cannot create " + path_);
}

BenchFolder::~BenchFolder() { RemoveTree(path_); }

std::string BenchFolder::File(const std::string& name) const { return path_ + "\\" + name; }

void CopyOrFail(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) FailBench("cannot copy " + from + " to " + to);
}

void WriteTextFileOrFail(const std::string& path, const std::string& text) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) FailBench("cannot create " + path);
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!wrote || written != text.size()) FailBench("cannot write " + path);
}
