// A Quillet started as a process of its own, for what only a whole run shows:
// which libraries it binds, the version message, the exit code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/process_window.h"

class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& workingFolder,
                 const std::string& arguments = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    // The first top-level window of this process with the class name (and,
    // when asked, visible); null when none appeared within the time.
    HWND WaitForWindow(const char* className, bool visible, DWORD milliseconds = 20000);
    // The exit code, or STILL_ACTIVE when the process did not end in time.
    DWORD WaitForExit(DWORD milliseconds = 20000);

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// A console program run to its end, its output split into lines without
// their line ends.
struct FinishedRun {
    DWORD status = 0;
    std::vector<std::string> out;
    std::vector<std::string> err;
};

// Runs program with the arguments in workingFolder (this process's own when
// empty), its standard output and error going to files, and waits for it.
// With oneStream both go to one file, in the order written, all in out.
FinishedRun RunToEnd(const std::string& program, const std::string& arguments,
                     const std::string& workingFolder = "", bool oneStream = false);
// The same for several runs of program at once, one for each argument list.
std::vector<FinishedRun> RunAllToEnd(const std::string& program, const std::vector<std::string>& argumentLists,
                                     const std::string& workingFolder = "", bool oneStream = false);

// Copies quillet.exe into folder, with the libraries given as paths below
// the test program's folder ("" leaves a library out).
void InstallQuillet(const std::string& folder, const std::string& api = "\\kxapi32.dll",
                    const std::string& dialogs = "\\kxdlg32.dll");
