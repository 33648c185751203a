// Folders and files of the programs that drive Quillet (tests and
// benchmarks alike); reports nothing, so either can use it.
#pragma once

#include <string>

// The folder that holds the running program, quillet.exe and the simulated
// board's libraries.
std::string ProgramFolder();

// Removes the folder with everything in it; what cannot be removed stays.
void RemoveTree(const std::string& folder);
