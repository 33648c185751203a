#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ioconfig/controller_number.h"

TEST(ControllerNumber, OnlyNumbersOfControllersQuilletCanOpenAreTaken) {
    const std::pair<std::string, std::optional<uint16_t>> cases[] = {
        {"0", 0},          {"3", 3},           {"007", 7},       {"65535", 65535},       {"-1", 65535},
        {"-32768", 32768}, {"65536", {}},      {"-32769", {}},   {"99999999999", {}},    {"", {}},
        {"-", {}},         {"+3", {}},         {" 3", {}},       {"3 ", {}},             {"3x", {}},
        {"0x10", {}},      {"--3", {}},        {"1e3", {}},      {std::string(400, '9'), {}},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(ParseControllerNumber(text), number) << text;
}

TEST(ControllerNumber, NamesTheControllerByItsSigned16Bits) {
    const ControllerNumber last(65535);
    EXPECT_EQ(last.Text(), "-1");
    EXPECT_EQ(last.SettingsValue(), -1);
    EXPECT_EQ(last.DriverKeyPath(), "SYSTEM\\CurrentControlSet\\Services\\KXAPI\\Parameters\\-1");
    EXPECT_EQ(last.DriverDeviceName(), "\\\\.\\KXAPI-1");
    EXPECT_EQ(ControllerNumber(32768).Text(), "-32768");
    EXPECT_EQ(ControllerNumber(7).SettingsValue(), 7);
    EXPECT_EQ(ControllerNumber(7), ControllerNumber(7));
    EXPECT_NE(ControllerNumber(7), ControllerNumber(8));
}

TEST(ControllerNumber, TheWindowTakesTheLow16BitsOfWhateverItIsGiven) {
    EXPECT_EQ(LenientControllerNumber(-1), ControllerNumber(65535));
    EXPECT_EQ(LenientControllerNumber(70000), ControllerNumber(70000 - 65536));
    EXPECT_EQ(LenientControllerNumber(INT32_MIN), ControllerNumber(0));
    EXPECT_EQ(LenientControllerNumber(nullptr), ControllerNumber(0));
    EXPECT_EQ(LenientControllerNumber("65535"), ControllerNumber(65535));
    EXPECT_EQ(LenientControllerNumber(" +3x"), ControllerNumber(3));
    EXPECT_EQ(LenientControllerNumber("abc"), ControllerNumber(0));
    // Clamped to INT32_MAX, whose low 16 bits are 65535.
    EXPECT_EQ(LenientControllerNumber("99999999999"), ControllerNumber(65535));
    EXPECT_EQ(LenientControllerNumber("-99999999999"), ControllerNumber(0));
}
