#include <gtest/gtest.h>

#include "ioconfig/channel_offer.h"
#include "tests/support/entry_selection.h"

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

TEST(ChannelOffer, AStoredChannelSelectsTheFirstEntryBeginningWithItsDigits) {
    std::vector<std::string> oneTo120{"--"};
    for (int c = 1; c <= 120; ++c) oneTo120.push_back(std::to_string(c));
    EXPECT_EQ(EntrySelectedFor(oneTo120, 12), 12);
    EXPECT_EQ(EntrySelectedFor(oneTo120, 120), 120);
    EXPECT_EQ(EntrySelectedFor(oneTo120, 0), -1);
    EXPECT_EQ(EntrySelectedFor(oneTo120, 200), -1);

    const std::vector<std::string> thirties{"--", "30", "31"};
    EXPECT_EQ(EntrySelectedFor(thirties, 3), 1);
    EXPECT_EQ(EntrySelectedFor(thirties, 31), 2);
    EXPECT_EQ(EntrySelectedFor(thirties, 5), -1);
    EXPECT_EQ(EntrySelectedFor({"--"}, 7), -1);
}
