#include "tests/support/simulated_board.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

namespace {

constexpr const char* BoardVariable = "KXSIM_BOARD";
constexpr const char* LogVariable = "KXSIM_LOG";

}  // namespace

SimulatedBoard::SimulatedBoard(const std::string& description) {
    Describe(description);
    SetEnvironmentVariableA(BoardVariable, folder_.File("board.txt").c_str());
    SetEnvironmentVariableA(LogVariable, folder_.File("calls.log").c_str());
}

SimulatedBoard::~SimulatedBoard() {
    SetEnvironmentVariableA(BoardVariable, nullptr);
    SetEnvironmentVariableA(LogVariable, nullptr);
}

void SimulatedBoard::Describe(const std::string& description) {
    WriteTextFile(folder_.File("board.txt"), description);
}

std::vector<std::string> SimulatedBoard::CallLog() const {
    std::vector<std::string> lines;
    std::istringstream log(ReadTextFile(folder_.File("calls.log")));
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void SimulatedBoard::ClearCallLog() { DeleteFileA(folder_.File("calls.log").c_str()); }

std::string LoggedPointer(const void* pointer) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer)));
    return text;
}
