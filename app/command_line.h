// The command line: the controller number as -b N or --board=N.
#pragma once

struct AppState;

// Splits commandLine in place and applies the options it names to state.
void ApplyCommandLineOptions(AppState& state, char* commandLine);
