#include <gtest/gtest.h>

#include "ioconfig/io_config_image.h"

namespace {

IoConfigImage PatternedImage() {
    IoConfigImage image;
    for (size_t i = 0; i < image.bytes.size(); ++i) image.bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    return image;
}

// Offsets at which two images differ.
std::vector<size_t> Differences(const IoConfigImage& a, const IoConfigImage& b) {
    std::vector<size_t> offsets;
    for (size_t i = 0; i < a.bytes.size(); ++i)
        if (a.bytes[i] != b.bytes[i]) offsets.push_back(i);
    return offsets;
}

}  // namespace

TEST(IoConfigImage, NewImageIsAllZeroWithNoAxes) {
    IoConfigImage image;
    EXPECT_EQ(GetAxisCount(image), 0);
    EXPECT_EQ(AxisRecordsInUse(image), 0);
    for (uint8_t byte : image.bytes) EXPECT_EQ(byte, 0);
    EXPECT_EQ(GetAxisKind(GetAxisRecord(image, 1)), AxisKind::Stepper);
    EXPECT_EQ(GetChannel(image, 1, IoSignal::CoarseHome), NoChannel);
}

TEST(IoConfigImage, AxisCountIsLittleEndianAtOffsetFourAndTouchesNothingElse) {
    IoConfigImage image = PatternedImage();
    const IoConfigImage before = image;
    SetAxisCount(image, 0x0203);
    EXPECT_EQ(image.bytes[4], 0x03);
    EXPECT_EQ(image.bytes[5], 0x02);
    EXPECT_EQ(Differences(before, image), (std::vector<size_t>{4, 5}));
    EXPECT_EQ(GetAxisCount(image), 0x0203);
}

TEST(IoConfigImage, RecordsInUseNeverPassTheSixteenTheImageHolds) {
    IoConfigImage image;
    for (uint16_t count : {0, 3, 16}) {
        SetAxisCount(image, count);
        EXPECT_EQ(AxisRecordsInUse(image), count);
    }
    for (uint16_t count : {17, 0xFFFF}) {
        SetAxisCount(image, count);
        EXPECT_EQ(AxisRecordsInUse(image), 16);
    }
}

TEST(IoConfigImage, RecordOfAxisNIsTheSixtyFourBytesAt256PlusNMinusOneTimes64) {
    const IoConfigImage image = PatternedImage();
    for (int axis : {1, 2, 16}) {
        AxisIoRecord record = GetAxisRecord(image, axis);
        for (size_t i = 0; i < AxisIoRecordSize; ++i)
            ASSERT_EQ(record.bytes[i], image.bytes[256 + (axis - 1) * 64 + i]) << axis << ":" << i;
    }
}

TEST(IoConfigImage, ReplacingARecordChangesExactlyItsSixtyFourBytes) {
    IoConfigImage image = PatternedImage();
    const IoConfigImage before = image;
    AxisIoRecord record;
    for (size_t i = 0; i < AxisIoRecordSize; ++i) record.bytes[i] = static_cast<uint8_t>(~before.bytes[320 + i]);
    SetAxisRecord(image, 2, record);
    std::vector<size_t> expected;
    for (size_t i = 320; i < 384; ++i) expected.push_back(i);
    EXPECT_EQ(Differences(before, image), expected);
    EXPECT_EQ(GetAxisRecord(image, 2).bytes, record.bytes);
}

TEST(IoConfigImage, AxesOutsideOneToSixteenAreNeverTouched) {
    IoConfigImage image = PatternedImage();
    const IoConfigImage before = image;
    AxisIoRecord record;
    record.bytes.fill(0xEE);
    for (int axis : {0, 17, -1, 0xFFFF}) {
        SetAxisRecord(image, axis, record);
        SetChannel(image, axis, IoSignal::Enable, 9);
        EXPECT_EQ(GetAxisRecord(image, axis).bytes, AxisIoRecord{}.bytes);
        EXPECT_EQ(GetChannel(image, axis, IoSignal::Enable), NoChannel);
    }
    EXPECT_TRUE(Differences(before, image).empty());
}

TEST(IoConfigImage, OnlyAxisTypeOneIsAServo) {
    AxisIoRecord record;
    const std::pair<uint16_t, AxisKind> cases[] = {
        {0, AxisKind::Stepper}, {1, AxisKind::Servo}, {2, AxisKind::Stepper},
        {0x0100, AxisKind::Stepper}, {0xFFFF, AxisKind::Stepper}};
    for (auto [type, kind] : cases) {
        record.bytes[2] = static_cast<uint8_t>(type & 0xFF);
        record.bytes[3] = static_cast<uint8_t>(type >> 8);
        EXPECT_EQ(GetAxisType(record), type);
        EXPECT_EQ(GetAxisKind(record), kind) << type;
    }
}

TEST(IoConfigImage, SettingASlotWritesExactlyOneByteAtItsOffset) {
    const std::pair<IoSignal, size_t> slots[] = {
        {IoSignal::CoarseHome, 16}, {IoSignal::PlusLimit, 17}, {IoSignal::MinusLimit, 18},
        {IoSignal::Fault, 19},      {IoSignal::Enable, 20},    {IoSignal::HalfCurrent, 21},
        {IoSignal::Direction, 22}};
    for (auto [signal, offset] : slots) {
        IoConfigImage image = PatternedImage();
        const IoConfigImage before = image;
        SetChannel(image, 3, signal, 0xC8);
        const size_t changed = 256 + 2 * 64 + offset;
        EXPECT_EQ(Differences(before, image), std::vector<size_t>{changed});
        EXPECT_EQ(GetChannel(image, 3, signal), 0xC8);
        EXPECT_EQ(GetChannel(GetAxisRecord(image, 3), signal), 0xC8);
    }
}

TEST(IoConfigImage, ServoDirectionIsOffset22AndStepperHalfCurrentOffset21) {
    EXPECT_EQ(ServoSignals[5].signal, IoSignal::Direction);
    EXPECT_EQ(static_cast<size_t>(ServoSignals[5].signal), 22u);
    EXPECT_EQ(StepperSignals[5].signal, IoSignal::HalfCurrent);
    EXPECT_EQ(static_cast<size_t>(StepperSignals[5].signal), 21u);
}

TEST(IoConfigImage, SignalTablesGiveLabelsAndDirectionsInDisplayOrder) {
    const char* servo[] = {"Coarse Home (inp)", "Plus Limit (inp)", "Minus Limit (inp)",
                           "Amp Fault (inp)",   "Amp Enable (out)", "Direction (out)"};
    const char* stepper[] = {"Coarse Home (inp)", "Plus Limit (inp)",   "Minus Limit (inp)",
                             "Drive Fault (inp)", "Drive Enable (out)", "Half Current (out)"};
    for (size_t row = 0; row < 6; ++row) {
        const SignalDirection direction = row < 4 ? SignalDirection::Input : SignalDirection::Output;
        EXPECT_STREQ(ServoSignals[row].label, servo[row]);
        EXPECT_STREQ(StepperSignals[row].label, stepper[row]);
        EXPECT_EQ(ServoSignals[row].direction, direction);
        EXPECT_EQ(StepperSignals[row].direction, direction);
        if (row < 5) {
            EXPECT_EQ(ServoSignals[row].signal, StepperSignals[row].signal);
        }
    }
    EXPECT_EQ(&SignalsOf(AxisKind::Servo), &ServoSignals);
    EXPECT_EQ(&SignalsOf(AxisKind::Stepper), &StepperSignals);
}
