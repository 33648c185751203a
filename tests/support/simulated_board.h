// The simulated board as one test sees it: its description file and its
// call log, named to the board's libraries through the environment of this
// process and of the programs it starts.
#pragma once

#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"

class SimulatedBoard {
public:
    // An empty description is the board's built-in default.
    explicit SimulatedBoard(const std::string& description = "");
    ~SimulatedBoard();
    SimulatedBoard(const SimulatedBoard&) = delete;
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    void Describe(const std::string& description);
    std::vector<std::string> CallLog() const;
    void ClearCallLog();

private:
    ScratchFolder folder_;
};

// A pointer or window handle as the call log writes it.
std::string LoggedPointer(const void* pointer);
