// Any command line splits into 1 to 32 words that lie inside it, and the
// option scan over them always comes to an end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ioconfig/command_line.h"
#include "tests/support/option_scanner.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const char* begin = text.data();
    const char* end = begin + text.size();

    char* words[CommandLineSlots] = {};
    const int count = SplitCommandLine(text.data(), words);
    FUZZ_CHECK(count >= 1 && count <= CommandLineSlots);
    for (int i = 1; i < count; ++i) FUZZ_CHECK(words[i] >= begin && words[i] < end);

    ResetOptionScanner();
    reportOptionErrors = false;
    int calls = 0;
    for (int result = 0; result != -1; ++calls) {
        int longIndex = -1;
        result = NextOption(count, words, &longIndex);
        FUZZ_CHECK(result == -1 || result == '?' || result == 'b' || result > 0);
        if (result == 'b' && optionArgument != nullptr)
            FUZZ_CHECK(optionArgument >= begin && optionArgument < end);
        // Each call consumes at least one character or one word.
        FUZZ_CHECK(calls <= static_cast<int>(size) + CommandLineSlots + 1);
    }

    std::vector<char> again(data, data + size);
    again.push_back('\0');
    ResetOptionScanner();
    int32_t controllerId = 123456;
    ApplyCommandLineOptions(again.data(), controllerId);
    FUZZ_CHECK(controllerId == 123456 || (controllerId >= -32768 && controllerId <= 32767));
    return 0;
}
