#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/scratch_folder.h"

namespace {

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

HANDLE InheritedOutput(const std::string& path) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
}

}  // namespace

std::vector<FinishedRun> RunAllToEnd(const std::string& program, const std::vector<std::string>& argumentLists,
                                     const std::string& workingFolder, bool oneStream) {
    ScratchFolder capture;
    std::vector<FinishedRun> finished(argumentLists.size());
    std::vector<HANDLE> processes;
    for (size_t i = 0; i < argumentLists.size(); ++i) {
        const std::string name = std::to_string(i);
        HANDLE out = InheritedOutput(capture.File("out" + name));
        HANDLE err = oneStream ? out : InheritedOutput(capture.File("err" + name));
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = err;
        std::string commandLine = "\"" + program + "\" " + argumentLists[i];
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                           workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
            CloseHandle(process.hThread);
            processes.push_back(process.hProcess);
        } else {
            ADD_FAILURE() << program << " did not start: " << GetLastError();
            processes.push_back(nullptr);
        }
        CloseHandle(out);
        if (!oneStream) CloseHandle(err);
    }
    for (size_t i = 0; i < processes.size(); ++i) {
        if (processes[i] == nullptr) continue;
        EXPECT_EQ(WaitForSingleObject(processes[i], 30000), WAIT_OBJECT_0) << argumentLists[i];
        GetExitCodeProcess(processes[i], &finished[i].status);
        CloseHandle(processes[i]);
        finished[i].out = LinesOf(ReadTextFile(capture.File("out" + std::to_string(i))));
        if (!oneStream) finished[i].err = LinesOf(ReadTextFile(capture.File("err" + std::to_string(i))));
    }
    return finished;
}

FinishedRun RunToEnd(const std::string& program, const std::string& arguments, const std::string& workingFolder,
                     bool oneStream) {
    return RunAllToEnd(program, {arguments}, workingFolder, oneStream).front();
}

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
