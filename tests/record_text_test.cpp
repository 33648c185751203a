#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ioconfig/record_text.h"
#include "tests/support/example_record.h"

namespace {

// Byte i holds first + i, so that four records from 0, 64, 128 and 192 hold
// every byte value.
AxisIoRecord CountingFrom(int first) {
    AxisIoRecord record;
    for (size_t i = 0; i < record.bytes.size(); ++i) record.bytes[i] = static_cast<uint8_t>(first + i);
    return record;
}

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

// The text with one number first, then 63 zeros.
std::string LeadingNumber(const std::string& number) { return number + " " + Repeat("00 ", 63); }

uint8_t FirstByteOf(const std::string& number) {
    const std::optional<AxisIoRecord> record = DecodeRecordText(LeadingNumber(number));
    EXPECT_TRUE(record.has_value()) << number;
    return record ? record->bytes[0] : 0;
}

}  // namespace

TEST(RecordText, EachByteIsTwoUpperCaseDigitsAndASpace) {
    EXPECT_EQ(EncodeRecordText(ExampleRecord()), ExampleText);
    EXPECT_EQ(EncodeRecordText(ExampleRecord()).size(), 192u);

    AxisIoRecord record;
    record.bytes[0] = 0xAB;
    record.bytes[1] = 0xF0;
    record.bytes[62] = 0x0F;
    record.bytes[63] = 0xFF;
    const std::string text = EncodeRecordText(record);
    EXPECT_EQ(text.substr(0, 9), "AB F0 00 ");
    EXPECT_EQ(text.substr(183), "00 0F FF ");
}

TEST(RecordText, EveryByteValueComesBackAsItWasWritten) {
    for (int seed : {0, 64, 128, 192}) {
        const AxisIoRecord record = CountingFrom(seed);
        const std::optional<AxisIoRecord> decoded = DecodeRecordText(EncodeRecordText(record));
        ASSERT_TRUE(decoded.has_value()) << seed;
        EXPECT_EQ(decoded->bytes, record.bytes) << seed;
    }
    // As the profile functions hand it back, without the trailing space.
    const std::optional<AxisIoRecord> trimmed = DecodeRecordText(std::string(ExampleText).substr(0, 191));
    ASSERT_TRUE(trimmed.has_value());
    EXPECT_EQ(trimmed->bytes, ExampleRecord().bytes);
}

TEST(RecordText, EachNumberIsOneOrTwoHexDigitsOfEitherCase) {
    EXPECT_EQ(FirstByteOf("0A"), 10);
    EXPECT_EQ(FirstByteOf("a"), 10);
    EXPECT_EQ(FirstByteOf("fF"), 0xFF);
    EXPECT_EQ(FirstByteOf(" \t\n 5"), 5);

    // Blanks of any kind and number separate the numbers, and may end the text.
    const std::optional<AxisIoRecord> record = DecodeRecordText("1\t2\n3\r\n4  5" + Repeat(" 0", 58) + " 6 \r\n");
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->bytes[4], 5);
    EXPECT_EQ(record->bytes[63], 6);
}

// A value the program did not write is never read as something else.
TEST(RecordText, TextWithoutExactlySixtyFourPlainNumbersIsRefused) {
    const std::string twenty = Repeat("11 ", 20);
    for (const std::string& damaged : {
             std::string(""),
             twenty,
             Repeat("00 ", 63),
             LeadingNumber("105"),                     // was stored as 05
             LeadingNumber("-1"),                      // was stored as FF
             LeadingNumber("0x05"),
             LeadingNumber("+7"),
             LeadingNumber("1FF"),
             LeadingNumber("G1"),
             LeadingNumber("0000000000000000001"),
             "1-2+3" + Repeat(" 0", 61),
             Repeat("00 ", 10) + "0G " + Repeat("00 ", 53),
             Repeat("00 ", 40) + "12,34 " + Repeat("00 ", 23),
             Repeat("00 ", 63) + "ZZ",
             std::string(ExampleText) + "00",          // a 65th number
             std::string(ExampleText) + "not hex at all",
         }) {
        EXPECT_FALSE(DecodeRecordText(damaged).has_value()) << '"' << damaged << '"';
    }
}
