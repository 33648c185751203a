#include "tests/support/child_process.h"

#include <vector>

#include "tests/support/scratch_folder.h"

ChildProcess::ChildProcess(const std::string& program, const std::string& workingFolder,
                           const std::string& arguments) {
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.c_str(), &startup, &created)) {
        CloseHandle(created.hThread);
        process_ = created.hProcess;
        processId_ = created.dwProcessId;
    }
}

ChildProcess::~ChildProcess() {
    if (process_ == nullptr) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND ChildProcess::WaitForWindow(const char* className, bool visible, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (HWND window = FindProcessWindow(processId_, className, visible)) return window;
        // Wakes early when the process ends; then one last look.
        if (WaitForSingleObject(process_, 20) == WAIT_OBJECT_0)
            return FindProcessWindow(processId_, className, visible);
    }
    return nullptr;
}

DWORD ChildProcess::WaitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_, &exitCode);
    return exitCode;
}

void InstallQuillet(const std::string& folder, const std::string& api, const std::string& dialogs) {
    CopyFileOrFail(ProgramFolder() + "\\quillet.exe", folder + "\\quillet.exe");
    if (!api.empty()) CopyFileOrFail(ProgramFolder() + api, folder + "\\kxapi32.dll");
    if (!dialogs.empty()) CopyFileOrFail(ProgramFolder() + dialogs, folder + "\\kxdlg32.dll");
}
