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
