// Any image lays out at most its sixteen records, every text inside the
// eight columns and eight lines of two axes that the records can fill.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "ioconfig/summary_layout.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IoConfigImage image;
    std::copy(data, data + std::min(size, image.bytes.size()), image.bytes.begin());
    const std::vector<SummaryText> texts = LayOutSummary(image);
    FUZZ_CHECK(texts.size() == static_cast<size_t>(AxisRecordsInUse(image)) * 13);
    const int lastColumn = SummaryLeft + (MaxAxisRecords / SummaryAxesPerColumn - 1) * SummaryColumnStep;
    for (const SummaryText& text : texts) {
        FUZZ_CHECK(text.x >= SummaryLeft && text.x <= lastColumn + SummaryValueColumn);
        FUZZ_CHECK(text.y >= SummaryTop && text.y <= SummaryTop + 14 * SummaryLineStep);
        FUZZ_CHECK(!text.text.empty() && text.text.size() < 64);
    }
    return 0;
}
