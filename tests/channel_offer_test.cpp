#include <gtest/gtest.h>

#include "ioconfig/channel_offer.h"

TEST(ChannelOffer, AChannelNeedsItsPresentBitForEitherKindOfList) {
    struct Case {
        uint32_t flags;
        bool input, output;
    };
    const Case cases[] = {{0x101, true, false}, {0x102, false, true}, {0x103, true, true},
                          {0x1, false, false},  {0x3, false, false},  {0x100, false, false},
                          {0xFFFFFEFF, false, false}, {0xFFFFFFFF, true, true}, {0x8105, true, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsInputChannel(c.flags), c.input) << std::hex << c.flags;
        EXPECT_EQ(IsOutputChannel(c.flags), c.output) << std::hex << c.flags;
        EXPECT_EQ(OffersChannel(SignalDirection::Input, c.flags), c.input);
        EXPECT_EQ(OffersChannel(SignalDirection::Output, c.flags), c.output);
    }
}

TEST(ChannelOffer, OnlyChannelsOneTo255AreOffered) {
    EXPECT_EQ(ChannelsToOffer(-5), 0);
    EXPECT_EQ(ChannelsToOffer(INT32_MIN), 0);
    EXPECT_EQ(ChannelsToOffer(0), 0);
    EXPECT_EQ(ChannelsToOffer(48), 48);
    EXPECT_EQ(ChannelsToOffer(255), 255);
    EXPECT_EQ(ChannelsToOffer(256), 255);
    EXPECT_EQ(ChannelsToOffer(INT32_MAX), 255);
}
