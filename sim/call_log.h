// The call log that tests read: when KXSIM_LOG names a file, each call of an
// implemented entry point appends one line to it.
#pragma once

#include <string>

// Appends `line` and a "\n". The file is opened and closed for every line so
// that a reader, in this process or another, always sees complete lines.
void AppendToCallLog(const std::string& line);

// How many lines of the call log begin with prefix; 0 without a log.
int CountLoggedCalls(const std::string& prefix);
