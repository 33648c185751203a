// Decoding any text never reads past it and agrees, on every byte, with a
// plain reading of the rule: the text split at white space into exactly 64
// words of one or two hexadecimal digits. A record's own encoding always
// decodes back to it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "ioconfig/record_text.h"

namespace {

bool IsHexWord(const std::string& word) {
    return !word.empty() && word.size() <= 2 &&
           std::all_of(word.begin(), word.end(), [](char c) { return std::isxdigit(c, std::locale::classic()); });
}

// The reference: the words a classic-locale stream reads.
std::optional<AxisIoRecord> DecodeByWords(std::string_view text) {
    std::istringstream words{std::string(text)};
    words.imbue(std::locale::classic());
    AxisIoRecord record;
    std::string word;
    for (uint8_t& byte : record.bytes) {
        if (!(words >> word) || !IsHexWord(word)) return std::nullopt;
        byte = static_cast<uint8_t>(std::stoi(word, nullptr, 16));
    }
    if (words >> word) return std::nullopt;
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<AxisIoRecord> decoded = DecodeRecordText(text);
    const std::optional<AxisIoRecord> reference = DecodeByWords(text);
    FUZZ_CHECK(decoded.has_value() == reference.has_value());
    FUZZ_CHECK(!decoded || decoded->bytes == reference->bytes);
    if (decoded) {
        // Re-encoding normalises the text; it must decode to the same bytes.
        const std::optional<AxisIoRecord> again = DecodeRecordText(EncodeRecordText(*decoded));
        FUZZ_CHECK(again && again->bytes == decoded->bytes);
    }

    AxisIoRecord record;
    std::copy(data, data + std::min(size, record.bytes.size()), record.bytes.begin());
    const std::string encoded = EncodeRecordText(record);
    FUZZ_CHECK(encoded.size() == RecordTextLength && encoded.back() == ' ');
    const std::optional<AxisIoRecord> roundTrip = DecodeRecordText(encoded);
    FUZZ_CHECK(roundTrip && roundTrip->bytes == record.bytes);
    return 0;
}
