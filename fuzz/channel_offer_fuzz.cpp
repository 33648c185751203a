// The offer rules over any flags and counts: a channel is offered in a
// direction only with that direction's bit and the present bit, and never
// more than 255 channels are asked about.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "ioconfig/channel_offer.h"
#include "ioconfig/controller_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (size_t at = 0; at + 4 <= size; at += 4) {
        uint32_t word;
        std::memcpy(&word, data + at, sizeof word);
        FUZZ_CHECK(IsInputChannel(word) == ((word & 0x101) == 0x101));
        FUZZ_CHECK(IsOutputChannel(word) == ((word & 0x102) == 0x102));
        FUZZ_CHECK(OffersChannel(SignalDirection::Input, word) == IsInputChannel(word));
        FUZZ_CHECK(OffersChannel(SignalDirection::Output, word) == IsOutputChannel(word));
        if (IsInputChannel(word) || IsOutputChannel(word)) FUZZ_CHECK((word & ChannelFlagPresent) != 0);
        const int offered = ChannelsToOffer(static_cast<int32_t>(word));
        FUZZ_CHECK(offered >= 0 && offered <= HighestOfferedChannel);
        FUZZ_CHECK(offered == static_cast<int32_t>(word) || offered == 0 || offered == HighestOfferedChannel);
    }
    return 0;
}
