#include "ioconfig/command_line.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ioconfig/controller_number.h"
#include "ioconfig/messages.h"
#include "ioconfig/white_space.h"

namespace {

char programName[] = "program name";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void ReportOptionError(const char* format, int option) {
    if (reportOptionErrors) std::fprintf(stderr, format, option);
}

// Whether text begins with name, letter case ignored.
bool BeginsWithName(const char* text, const char* name) {
    for (; *name != '\0'; ++name, ++text) {
        if (std::tolower(static_cast<unsigned char>(*text)) !=
            std::tolower(static_cast<unsigned char>(*name)))
            return false;
    }
    return true;
}

// 0, 1 or 2 for a letter of optionLetters; -1 for anything else.
int LetterArgumentKind(char letter) {
    if (letter == '\0' || letter == ':') return -1;
    const char* found = std::strchr(optionLetters, letter);
    if (found == nullptr) return -1;
    if (found[1] != ':') return 0;
    return found[2] == ':' ? 2 : 1;
}

constexpr int NoMatch = -2;

int ScanLongOption(int* longIndex) {
    for (int row = 0; longOptions[row].name != nullptr; ++row) {
        const LongOption& option = longOptions[row];
        if (!BeginsWithName(scanPosition, option.name)) continue;
        scanPosition += std::strlen(option.name);
        if (longIndex != nullptr) *longIndex = row;
        int result = option.value;
        if (option.flag != nullptr) {
            *option.flag = option.value;
            result = 0;
        }
        if ((option.argumentKind == 1 || option.argumentKind == 2) && *scanPosition == '=') {
            optionArgument = scanPosition + 1;
            *scanPosition = '\0';
            return result;
        }
        if (option.argumentKind == 1) {
            ReportOptionError(MissingArgumentFormat, option.value);
            badOption = option.value;
            return '?';
        }
        if (option.argumentKind == 2) ReportOptionError(MissingArgumentFormat, option.value);
        return result;
    }
    return NoMatch;
}

int ScanShortOption(int count, char** words) {
    const char letter = *scanPosition;
    const int kind = LetterArgumentKind(letter);
    if (kind < 0) {
        ReportOptionError(UnknownOptionFormat, letter);
        badOption = letter;
        if (letter != '\0') ++scanPosition;
        return '?';
    }
    ++scanPosition;
    if (kind == 0) return letter;
    // The argument is always the next word; the rest of this one is dropped.
    if (TakeOptionArgument(words, kind, count) || kind == 2) {
        *scanPosition = '\0';
        return letter;
    }
    ReportOptionError(MissingArgumentFormat, letter);
    badOption = letter;
    return '?';
}

}  // namespace

const char* const optionLetters = "b:";
const LongOption longOptions[] = {
    {"board", 1, nullptr, 'b'},
    {nullptr, 0, nullptr, 0},
};

int nextWord = 1;
char* scanPosition = nullptr;
bool insideOptionWord = false;
char* optionArgument = nullptr;
int badOption = 0;
bool reportOptionErrors = true;

int SplitCommandLine(char* text, char* words[CommandLineSlots]) {
    words[0] = programName;
    int count = 1;
    if (text == nullptr) return count;
    char* at = text;
    while (*at != '\0' && count < CommandLineSlots) {
        while (IsBlank(*at)) ++at;
        if (*at == '\0') break;
        char* word;
        if (*at == '"') {
            word = ++at;
            while (*at != '\0' && *at != '"') ++at;
        } else {
            word = at;
            while (*at != '\0' && !IsBlank(*at)) ++at;
        }
        words[count++] = word;
        if (*at != '\0') *at++ = '\0';
    }
    return count;
}

int NextOption(int count, char** words, int* longIndex) {
    optionArgument = nullptr;
    badOption = 0;
    if (scanPosition == nullptr || *scanPosition == '\0') insideOptionWord = false;
    if (!insideOptionWord) {
        if (nextWord >= count) return -1;
        scanPosition = words[nextWord++];
    }
    if (*scanPosition == '-') {
        ++scanPosition;
        insideOptionWord = true;
    } else if (!insideOptionWord) {
        --nextWord;
        return -1;
    }
    const bool longOption = *scanPosition == '-';
    if (longOption) ++scanPosition;
    while (IsWhiteSpace(*scanPosition)) ++scanPosition;
    if (longOption) {
        const int result = ScanLongOption(longIndex);
        if (result != NoMatch) return result;
        // An unknown long name is read as short option letters.
    }
    return ScanShortOption(count, words);
}

bool TakeOptionArgument(char** words, int kind, int count) {
    if ((kind != 1 && kind != 2) || nextWord >= count) return false;
    if (kind == 2 && words[nextWord][0] == '-') return false;
    optionArgument = words[nextWord++];
    return true;
}

std::vector<std::string> ApplyCommandLineOptions(char* commandLine, int32_t& controllerId) {
    char* words[CommandLineSlots] = {};
    const int count = SplitCommandLine(commandLine, words);
    reportOptionErrors = false;
    for (int option; (option = NextOption(count, words, nullptr)) != -1;) {
        if (option == 'b') controllerId = LenientControllerNumber(optionArgument).SettingsValue();
    }
    return std::vector<std::string>(words + std::min(nextWord, count), words + count);
}
