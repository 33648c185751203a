// The command line: split into words in place, then scanned for options.
// The only option selects the controller: -b N, or --board=N.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int CommandLineSlots = 32;

// Splits text in place into words[1..]; words[0] is "program name". Returns
// the number of filled slots, 1 to 32. A null text yields 1.
int SplitCommandLine(char* text, char* words[CommandLineSlots]);

struct LongOption {
    const char* name;
    int32_t argumentKind;  // 0 none, 1 required, 2 optional
    int32_t* flag;         // when set, the option's value is stored here
    int32_t value;
};

// The scanner's tables: "b:" and one row for "board", ended by a null name.
extern const char* const optionLetters;
extern const LongOption longOptions[];

// Scanner state, program-wide: the scan runs once per process.
extern int nextWord;
extern char* scanPosition;
extern bool insideOptionWord;
extern char* optionArgument;
extern int badOption;
extern bool reportOptionErrors;

// Returns the next option letter (or long option value), 0 when a long
// option stored its value through its flag, '?' for an unknown option or a
// missing argument, -1 when no options remain.
int NextOption(int count, char** words, int* longIndex);
bool TakeOptionArgument(char** words, int kind, int count);

// Splits commandLine, scans it with error reporting off and stores every
// controller number given, sign-extended from its low 16 bits. Returns the
// words where the scan stopped and after, which name no option.
std::vector<std::string> ApplyCommandLineOptions(char* commandLine, int32_t& controllerId);
