#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ioconfig/command_line.h"
#include "tests/support/option_scanner.h"

namespace {

// The controller number a command line leaves, starting from the stored one.
int32_t ControllerAfter(std::string commandLine, int32_t stored = 42) {
    ResetOptionScanner();
    std::vector<char> text(commandLine.begin(), commandLine.end());
    text.push_back('\0');
    int32_t controllerId = stored;
    ApplyCommandLineOptions(text.data(), controllerId);
    return controllerId;
}

struct Scan {
    std::vector<std::string> words;
    std::vector<int> results;  // every NextOption result up to and including -1
    std::vector<std::string> arguments;
};

Scan ScanOf(std::string commandLine) {
    ResetOptionScanner();
    reportOptionErrors = false;
    static std::vector<char> text;
    text.assign(commandLine.begin(), commandLine.end());
    text.push_back('\0');
    char* words[CommandLineSlots] = {};
    const int count = SplitCommandLine(text.data(), words);
    Scan scan;
    for (int i = 0; i < count; ++i) scan.words.push_back(words[i]);
    for (int result = 0; result != -1 && scan.results.size() < 100;) {
        result = NextOption(count, words, nullptr);
        scan.results.push_back(result);
        if (optionArgument != nullptr) scan.arguments.push_back(optionArgument);
    }
    return scan;
}

using Words = std::vector<std::string>;
using Results = std::vector<int>;

}  // namespace

TEST(SplitCommandLine, PutsTheProgramNameFirstAndSplitsAtBlanks) {
    EXPECT_EQ(ScanOf("").words, Words{"program name"});
    EXPECT_EQ(ScanOf("  \t ").words, Words{"program name"});
    EXPECT_EQ(ScanOf(" -b\t3   ").words, (Words{"program name", "-b", "3"}));
    char* words[CommandLineSlots] = {};
    EXPECT_EQ(SplitCommandLine(nullptr, words), 1);
    EXPECT_STREQ(words[0], "program name");
}

TEST(SplitCommandLine, QuotesOpenAWordOnlyAtItsStart) {
    EXPECT_EQ(ScanOf("\"-b\" \"12\"").words, (Words{"program name", "-b", "12"}));
    EXPECT_EQ(ScanOf("\"a b\"c d").words, (Words{"program name", "a b", "c", "d"}));
    EXPECT_EQ(ScanOf("a\"b c").words, (Words{"program name", "a\"b", "c"}));
    EXPECT_EQ(ScanOf("\"\" x").words, (Words{"program name", "", "x"}));
    EXPECT_EQ(ScanOf("\"open to the end").words, (Words{"program name", "open to the end"}));
}

TEST(SplitCommandLine, TakesAtMostThirtyOneWords) {
    std::string line;
    for (int i = 1; i <= 40; ++i) {
        line += 'w';
        line += std::to_string(i);
        line += ' ';
    }
    const Words words = ScanOf(line).words;
    ASSERT_EQ(words.size(), 32u);
    EXPECT_EQ(words[31], "w31");
}

TEST(CommandLine, AnEmptyLineKeepsTheStoredController) {
    EXPECT_EQ(ControllerAfter(""), 42);
    EXPECT_EQ(ScanOf("").results, Results{-1});
}

TEST(CommandLine, TheShortAndLongFormsSelectAController) {
    EXPECT_EQ(ControllerAfter("-b 3"), 3);
    EXPECT_EQ(ControllerAfter("--board=3"), 3);
    EXPECT_EQ(ControllerAfter("--BOARD=3"), 3);
    EXPECT_EQ(ControllerAfter("--Board=3"), 3);
    EXPECT_EQ(ControllerAfter("\"-b\" \"12\""), 12);
    EXPECT_EQ(ControllerAfter("-b 3 -b 4"), 4);
}

TEST(CommandLine, TheShortFormTakesItsArgumentOnlyFromTheNextWord) {
    EXPECT_EQ(ControllerAfter("-b3"), 42);
    EXPECT_EQ(ScanOf("-b3").results, (Results{'?', '?', -1}));
    EXPECT_EQ(ControllerAfter("-b3 4"), 4);
    EXPECT_EQ(ControllerAfter("-board=3"), 42);
    EXPECT_EQ(ControllerAfter("-board=3 7"), 7);
    EXPECT_EQ(ControllerAfter("-b"), 42);
}

TEST(CommandLine, TheLongFormTakesItsArgumentOnlyAfterTheEqualsSign) {
    EXPECT_EQ(ControllerAfter("--board 3"), 42);
    const Scan scan = ScanOf("--board 3");
    EXPECT_EQ(scan.results, (Results{'?', -1}));
    EXPECT_EQ(badOption, 0);  // cleared by the last call
    ResetOptionScanner();
    reportOptionErrors = false;
    char text[] = "--board";
    char* words[CommandLineSlots] = {};
    const int count = SplitCommandLine(text, words);
    EXPECT_EQ(NextOption(count, words, nullptr), '?');
    EXPECT_EQ(badOption, 'b');
}

TEST(CommandLine, ARequiredArgumentIsTakenEvenWhenItLooksLikeAnOption) {
    EXPECT_EQ(ControllerAfter("-b -5"), -5);
    EXPECT_EQ(ControllerAfter("-b abc"), 0);
    EXPECT_EQ(ControllerAfter("-b \" 12x\""), 12);
}

TEST(CommandLine, UnknownOptionsAreSkippedAndAPlainWordEndsTheScan) {
    EXPECT_EQ(ControllerAfter("-x -b 3"), 3);
    EXPECT_EQ(ScanOf("-x -b 3").results, (Results{'?', 'b', -1}));
    EXPECT_EQ(ControllerAfter("3 -b 4"), 42);
    EXPECT_EQ(ScanOf("3 -b 4").results, Results{-1});
    EXPECT_EQ(ScanOf("-").results, (Results{'?', -1}));
    EXPECT_EQ(ScanOf("--nothing").results.size(), 8u);  // seven unknown letters, then -1
}

TEST(CommandLine, NumbersKeepTheirLowSixteenBitsSignExtended) {
    EXPECT_EQ(ControllerAfter("-b 65535"), -1);
    EXPECT_EQ(ControllerAfter("-b 32768"), -32768);
    EXPECT_EQ(ControllerAfter("-b 70000"), 70000 - 65536);
    EXPECT_EQ(ControllerAfter("-b 99999999999"), -1);  // clamped to 0x7FFFFFFF first
    EXPECT_EQ(ControllerAfter("-b -99999999999"), 0);  // clamped to -0x80000000 first
}

TEST(CommandLine, OnlyTheFirstThirtyOneWordsAreLookedAt) {
    std::string fill;
    for (int i = 0; i < 29; ++i) fill += "-x ";
    fill += "-b 5";
    EXPECT_EQ(ControllerAfter(fill), 5);  // -b is word 30, 5 word 31
    fill.insert(0, "-x ");
    EXPECT_EQ(ControllerAfter(fill), 42);  // 5 would be word 32
}

TEST(CommandLine, ReportsTheLongOptionsRowAndItsArgument) {
    ResetOptionScanner();
    char text[] = "--board=17";
    char* words[CommandLineSlots] = {};
    const int count = SplitCommandLine(text, words);
    int row = -1;
    EXPECT_EQ(NextOption(count, words, &row), 'b');
    EXPECT_EQ(row, 0);
    EXPECT_STREQ(optionArgument, "17");
}

TEST(CommandLine, ErrorTextsAreWrittenOnlyWhileReportingIsOn) {
    ResetOptionScanner();
    char text[] = "-x -b";
    char* words[CommandLineSlots] = {};
    const int count = SplitCommandLine(text, words);
    testing::internal::CaptureStderr();
    while (NextOption(count, words, nullptr) != -1) {
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unknown option -xArgument missing for option -b");

    char again[] = "-x -b";
    EXPECT_EQ(ControllerAfter(again), 42);  // start-up switches reporting off
    testing::internal::CaptureStderr();
    ResetOptionScanner();
    int32_t controllerId = 0;
    ApplyCommandLineOptions(again, controllerId);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
