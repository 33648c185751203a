// The offer rules over any flags and counts, and the entry a stored channel
// selects in any list: always the first entry that begins with its digits.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ioconfig/channel_offer.h"
#include "tests/support/entry_selection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    uint32_t word;
    std::memcpy(&word, data, sizeof word);
    const uint8_t stored = data[4];

    FUZZ_CHECK(IsInputChannel(word) == ((word & 0x101) == 0x101));
    FUZZ_CHECK(IsOutputChannel(word) == ((word & 0x102) == 0x102));
    const int offered = ChannelsToOffer(static_cast<int32_t>(word));
    FUZZ_CHECK(offered >= 0 && offered <= HighestOfferedChannel);
    FUZZ_CHECK(offered == static_cast<int32_t>(word) || offered == 0 || offered == 255);

    // The rest of the input is a list of entries, split at zero bytes.
    std::vector<std::string> entries{"--"};
    std::string entry;
    for (size_t i = 5; i < size; ++i) {
        if (data[i] == 0) {
            entries.push_back(entry);
            entry.clear();
        } else {
            entry += static_cast<char>(data[i]);
        }
    }
    const std::string digits = std::to_string(stored);
    const int selected = EntrySelectedFor(entries, stored);
    FUZZ_CHECK(selected >= -1 && selected < static_cast<int>(entries.size()));
    const int end = selected < 0 ? static_cast<int>(entries.size()) : selected;
    for (int i = 0; i < end; ++i) FUZZ_CHECK(entries[static_cast<size_t>(i)].rfind(digits, 0) != 0);
    if (selected >= 0) FUZZ_CHECK(entries[static_cast<size_t>(selected)].rfind(digits, 0) == 0);
    return 0;
}
