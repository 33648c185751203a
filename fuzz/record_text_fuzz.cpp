// Decoding any text never reads past it and, when it succeeds, yields a
// whole record; a record's own encoding always decodes back to it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "ioconfig/record_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<AxisIoRecord> decoded = DecodeRecordText(text);
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
