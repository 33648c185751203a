// Folders and files of the programs that drive Quillet (tests and
// benchmarks alike); reports nothing, so either can use it.
#pragma once

#include <string>
#include <vector>

// The folder that holds the running program, quillet.exe and the simulated
// board's libraries.
std::string ProgramFolder();

// Whether a file or folder of that path exists.
bool FileExists(const std::string& path);

// The names of the files in folder that match the pattern, sorted.
std::vector<std::string> FileNamesIn(const std::string& folder, const std::string& pattern = "*");

// Removes the folder with everything in it; what cannot be removed stays.
// An empty path names no folder (not the drive's root) and removes nothing.
void RemoveTree(const std::string& folder);
