#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ioconfig/summary_layout.h"

namespace {

void SetAxisType(IoConfigImage& image, int axis, uint16_t type) {
    AxisIoRecord record = GetAxisRecord(image, axis);
    record.bytes[2] = static_cast<uint8_t>(type & 0xFF);
    record.bytes[3] = static_cast<uint8_t>(type >> 8);
    SetAxisRecord(image, axis, record);
}

// The text drawn at a point, or "(nothing)".
std::string TextAt(const std::vector<SummaryText>& texts, int x, int y) {
    for (const SummaryText& text : texts)
        if (text.x == x && text.y == y) return text.text;
    return "(nothing)";
}

}  // namespace

TEST(SummaryLayout, NoAxesDrawNothing) {
    IoConfigImage image;
    EXPECT_TRUE(LayOutSummary(image).empty());
}

TEST(SummaryLayout, ThreeAxesFillOneColumnAndHeadTheNext) {
    IoConfigImage image;
    SetAxisCount(image, 3);
    SetAxisType(image, 1, 1);
    for (int axis = 1; axis <= 3; ++axis)
        for (int line = 0; line < 6; ++line)
            SetChannel(image, axis, static_cast<IoSignal>(16 + line), static_cast<uint8_t>(10 * axis + line));
    SetChannel(image, 1, IoSignal::Direction, 99);
    const std::vector<SummaryText> texts = LayOutSummary(image);
    ASSERT_EQ(texts.size(), 3u * 13u);

    EXPECT_EQ(TextAt(texts, 30, 40), "Axis 1: Servo");
    EXPECT_EQ(TextAt(texts, 10, 60), "Coarse Home (inp)");
    EXPECT_EQ(TextAt(texts, 150, 60), "10");
    EXPECT_EQ(TextAt(texts, 10, 140), "Amp Enable (out)");
    EXPECT_EQ(TextAt(texts, 10, 160), "Direction (out)");
    EXPECT_EQ(TextAt(texts, 150, 160), "99");
    EXPECT_EQ(TextAt(texts, 10, 180), "(nothing)");  // the empty line

    EXPECT_EQ(TextAt(texts, 30, 200), "Axis 2: Stepper");
    EXPECT_EQ(TextAt(texts, 10, 220), "Coarse Home (inp)");
    EXPECT_EQ(TextAt(texts, 150, 220), "20");
    EXPECT_EQ(TextAt(texts, 10, 300), "Drive Enable (out)");
    EXPECT_EQ(TextAt(texts, 10, 320), "Half Current (out)");
    EXPECT_EQ(TextAt(texts, 150, 320), "25");

    EXPECT_EQ(TextAt(texts, 230, 40), "Axis 3: Stepper");
    EXPECT_EQ(TextAt(texts, 210, 60), "Coarse Home (inp)");
    EXPECT_EQ(TextAt(texts, 350, 60), "30");
    EXPECT_EQ(TextAt(texts, 210, 160), "Half Current (out)");

    // At 144 DPI every position is 1.5 times its own, rounded; 125 % rounds.
    const std::vector<SummaryText> large = LayOutSummary(image, {}, 144);
    ASSERT_EQ(large.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(large[i].x, texts[i].x * 3 / 2) << texts[i].text;
        EXPECT_EQ(large[i].y, texts[i].y * 3 / 2) << texts[i].text;
    }
    EXPECT_EQ(ScaledToDpi(10, 120), 13);  // 12.5
    EXPECT_EQ(SummaryFooterTop(image, 144), 540);
}

TEST(SummaryLayout, OnlyAxisTypeOneIsShownAsServo) {
    IoConfigImage image;
    SetAxisCount(image, 4);
    const uint16_t types[] = {0, 1, 2, 0xFFFF};
    for (int axis = 1; axis <= 4; ++axis) SetAxisType(image, axis, types[axis - 1]);
    const std::vector<SummaryText> texts = LayOutSummary(image);
    EXPECT_EQ(TextAt(texts, 30, 40), "Axis 1: Stepper");
    EXPECT_EQ(TextAt(texts, 10, 120), "Drive Fault (inp)");
    EXPECT_EQ(TextAt(texts, 30, 200), "Axis 2: Servo");
    EXPECT_EQ(TextAt(texts, 10, 280), "Amp Fault (inp)");
    EXPECT_EQ(TextAt(texts, 230, 40), "Axis 3: Stepper");
    EXPECT_EQ(TextAt(texts, 230, 200), "Axis 4: Stepper");
    EXPECT_EQ(TextAt(texts, 210, 320), "Half Current (out)");
}

TEST(SummaryLayout, ChannelsArePaddedToTwoCharacters) {
    IoConfigImage image;
    SetAxisCount(image, 1);
    const uint8_t channels[] = {0, 7, 12, 255};
    for (int line = 0; line < 4; ++line) SetChannel(image, 1, static_cast<IoSignal>(16 + line), channels[line]);
    const std::vector<SummaryText> texts = LayOutSummary(image);
    EXPECT_EQ(TextAt(texts, 150, 60), " 0");
    EXPECT_EQ(TextAt(texts, 150, 80), " 7");
    EXPECT_EQ(TextAt(texts, 150, 100), "12");
    EXPECT_EQ(TextAt(texts, 150, 120), "255");
}

TEST(SummaryLayout, TheSixthLineShowsTheSlotTheEditorsBoxOfThatLabelEdits) {
    IoConfigImage image;
    SetAxisCount(image, 2);
    SetAxisType(image, 1, 1);
    for (int axis = 1; axis <= 2; ++axis) {
        SetChannel(image, axis, IoSignal::HalfCurrent, 21);
        SetChannel(image, axis, IoSignal::Direction, 22);
    }
    const std::vector<SummaryText> texts = LayOutSummary(image);
    EXPECT_EQ(TextAt(texts, 10, 160), "Direction (out)");
    EXPECT_EQ(TextAt(texts, 150, 160), "22");  // a servo's direction, byte 22
    EXPECT_EQ(TextAt(texts, 10, 320), "Half Current (out)");
    EXPECT_EQ(TextAt(texts, 150, 320), "21");  // a stepper's half current, byte 21
}

TEST(SummaryLayout, AnAxisCountBeyondTheImageDrawsItsSixteenRecordsOnly) {
    IoConfigImage image;
    SetAxisCount(image, 0xFFFF);
    const std::vector<SummaryText> texts = LayOutSummary(image);
    ASSERT_EQ(texts.size(), 16u * 13u);
    EXPECT_EQ(TextAt(texts, 10 + 7 * 200 + 20, 200), "Axis 16: Stepper");
    for (const SummaryText& text : texts) {
        EXPECT_LE(text.x, 10 + 7 * 200 + 140);
        EXPECT_LE(text.y, 200 + 6 * 20);
    }
}
