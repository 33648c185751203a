// Decoding any text never reads past it and agrees with the standard
// library's formatted input on every byte; a record's own encoding always
// decodes back to it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <locale>
#include <sstream>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "ioconfig/record_text.h"

namespace {

// The reference: 64 signed 16-bit numbers read with formatted input in
// base 16 and the classic locale.
std::optional<AxisIoRecord> DecodeWithStream(std::string_view text) {
    std::istringstream numbers{std::string(text)};
    numbers.imbue(std::locale::classic());
    numbers >> std::hex;
    AxisIoRecord record;
    for (uint8_t& byte : record.bytes) {
        int16_t number = 0;
        if (!(numbers >> number)) return std::nullopt;
        byte = static_cast<uint8_t>(number & 0xFF);
    }
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<AxisIoRecord> decoded = DecodeRecordText(text);
    const std::optional<AxisIoRecord> reference = DecodeWithStream(text);
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
