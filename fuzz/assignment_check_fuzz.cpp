// Any image, with or without a controller's channels, is checked without a
// crash, and no finding speaks of an axis outside the records in use.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ioconfig/assignment_check.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckAxesNamed(const std::vector<Finding>& findings, int inUse) {
    for (const Finding& finding : findings) {
        FUZZ_CHECK(!finding.sentence.empty() && finding.sentence.back() == '.');
        for (size_t at = finding.sentence.find("Axis "); at != std::string::npos;
             at = finding.sentence.find("Axis ", at + 1)) {
            const int axis = std::atoi(finding.sentence.c_str() + at + 5);
            FUZZ_CHECK(axis >= 1 && axis <= inUse);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IoConfigImage image;
    const size_t taken = std::min(size, image.bytes.size());
    std::copy(data, data + taken, image.bytes.begin());
    CheckAxesNamed(CheckAssignments(image), AxisRecordsInUse(image));

    // The rest, if any, describes the controller's channels.
    ChannelConfiguration channels;
    if (size > taken + 4) {
        std::memcpy(&channels.channelCount, data + taken, 4);
        for (size_t at = taken + 4; at + 4 <= size && channels.flags.size() < 255; at += 4) {
            uint32_t flags = 0;
            std::memcpy(&flags, data + at, 4);
            channels.flags.push_back(flags);
        }
    }
    CheckAxesNamed(CheckAssignments(image, channels), AxisRecordsInUse(image));
    return 0;
}
