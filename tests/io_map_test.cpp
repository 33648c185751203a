#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ioconfig/io_map.h"

namespace {

using Lines = std::vector<std::string>;

// Two servo axes; the second's enable on `enable`, the first's on 25.
IoConfigImage TwoServos(uint8_t enable) {
    IoConfigImage image;
    SetAxisCount(image, 2);
    for (int axis = 1; axis <= 2; ++axis) {
        AxisIoRecord record;
        record.bytes[AxisTypeOffset] = 1;
        SetAxisRecord(image, axis, record);
        SetChannel(image, axis, IoSignal::PlusLimit, static_cast<uint8_t>(axis));
    }
    SetChannel(image, 1, IoSignal::Enable, 25);
    SetChannel(image, 2, IoSignal::Enable, enable);
    return image;
}

// Channels 1 to 4 inputs, 25 to 27 outputs, 28 neither.
ChannelConfiguration SmallController() {
    ChannelConfiguration channels{28, std::vector<uint32_t>(28, 0), {}};
    for (int channel : {1, 2, 3, 4}) channels.flags[channel - 1] = 0x101;
    for (int channel : {25, 26, 27}) channels.flags[channel - 1] = 0x102;
    return channels;
}

}  // namespace

// Text, CSV and page list the same channels, the labelled free ones too,
// with the same state words.
TEST(IoMap, ListsEachChannelInUseOrLabelledThenTheFreeOnesByDirection) {
    const ChannelLabels labels{{25, "X3:1 K12, \"amp\""}, {4, "spare"}};
    struct Case {
        const char* name;
        IoConfigImage image;
        bool controllerKnown;
        Lines text;
    } cases[] = {
        {"clean", TwoServos(26), true,
         {"Channel 1 (input, used): Axis 1 Plus Limit (inp)", "Channel 2 (input, used): Axis 2 Plus Limit (inp)",
          "Channel 4 (input, free): no signal  [spare]", "Channel 25 (output, used): Axis 1 Amp Enable (out)  [X3:1 K12, \"amp\"]",
          "Channel 26 (output, used): Axis 2 Amp Enable (out)", "free inputs: 3-4", "free outputs: 27"}},
        {"one channel not offered", TwoServos(28), true,
         {"Channel 1 (input, used): Axis 1 Plus Limit (inp)", "Channel 2 (input, used): Axis 2 Plus Limit (inp)",
          "Channel 4 (input, free): no signal  [spare]",
          "Channel 25 (output, used): Axis 1 Amp Enable (out)  [X3:1 K12, \"amp\"]",
          "Channel 28 (not offered): Axis 2 Amp Enable (out)", "free inputs: 3-4", "free outputs: 26-27"}},
        {"without the controller", TwoServos(25), false,
         {"Channel 1 (used): Axis 1 Plus Limit (inp)", "Channel 2 (used): Axis 2 Plus Limit (inp)",
          "Channel 4 (free): no signal  [spare]", "Channel 25 (conflict): Axis 1 Amp Enable (out), Axis 2 Amp Enable (out)  [X3:1 K12, \"amp\"]",
          "free channels: not known without the controller (board, or -b N)"}},
    };
    for (const Case& test : cases) {
        const std::optional<ChannelConfiguration> channels =
            test.controllerKnown ? std::optional(SmallController()) : std::nullopt;
        EXPECT_EQ(IoMapText(MapChannels(test.image, channels, labels), test.controllerKnown), test.text) << test.name;
    }
    EXPECT_EQ(IoMapCsv(MapChannels(TwoServos(25), std::nullopt, labels)),
              (Lines{"channel,direction,axis,signal,state,label", "1,input,1,Plus Limit (inp),used,",
                     "2,input,2,Plus Limit (inp),used,", "4,,,,free,spare", "25,output,1,Amp Enable (out),conflict,\"X3:1 K12, \"\"amp\"\"\"",
                     "25,output,2,Amp Enable (out),conflict,\"X3:1 K12, \"\"amp\"\"\""}));
    EXPECT_EQ(LabelledChannel("CHANNEL255"), 255);
    for (const char* key : {"Channel0", "Channel256", "Channel", "Chanel5", "Channel5x"})
        EXPECT_EQ(LabelledChannel(key), std::nullopt) << key;
}

#ifndef _WIN32
// The page for each case parses whole, holds no script and fetches nothing.
TEST(IoMap, ThePageIsWellFormedAndSaysConflictInWords) {
    const std::string page =
        IoMapHtml(MapChannels(TwoServos(28), SmallController(), {{28, "<X3:1 & K12>"}}), {"a&b.tvxio", "0", "2026-12-08"});
    EXPECT_NE(page.find("<td>NOT OFFERED</td><td>&lt;X3:1"), std::string::npos);
    EXPECT_NE(page.find("<h1>I/O map of a&amp;b.tvxio</h1>"), std::string::npos);
    EXPECT_NE(page.find("Not offered by the controller: 5-24"), std::string::npos);
    const std::string path = testing::TempDir() + "io_map.html";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs(page.c_str(), file);
    std::fclose(file);
    EXPECT_EQ(std::system(("python3 " QUILLET_SOURCE_DIR "/tests/check_html.py " + path).c_str()), 0);
}
#endif
