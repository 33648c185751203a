// Any text is a controller number only when it is digits, after one minus
// sign or not, from -32768 to 65535, and then names that number's low 16
// bits; checked against the standard library's own conversion.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "ioconfig/controller_number.h"

namespace {

bool OnlyDigitsAfterOneMinus(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<ControllerNumber> parsed = ParseControllerNumber(text);
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool expected = OnlyDigitsAfterOneMinus(text) && error == std::errc{} && end == text.data() + text.size() &&
                          number >= LowestControllerNumber && number <= HighestControllerNumber;
    FUZZ_CHECK(parsed.has_value() == expected);
    if (parsed) FUZZ_CHECK(*parsed == static_cast<uint16_t>(number & 0xFFFF));
    return 0;
}
