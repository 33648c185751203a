#include "tests/support/entry_selection.h"

int EntrySelectedFor(const std::vector<std::string>& entries, uint8_t stored) {
    const std::string text = std::to_string(stored);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].compare(0, text.size(), text) == 0) return static_cast<int>(i);
    return -1;
}
