// The test oracle for the editor's selections: which entry of a box's list
// CB_SELECTSTRING selects for a stored channel. Quillet itself leaves the
// choice to the list box; tests and the fuzzer check the rule against it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The first entry whose text begins with the channel's decimal text, or -1
// when none does (the box then keeps its "--"). As lists ascend, a listed
// channel selects its own entry.
int EntrySelectedFor(const std::vector<std::string>& entries, uint8_t stored);
