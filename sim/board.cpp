#include "sim/board.h"

#include <fstream>
#include <string>

#include "sim/environment.h"

namespace {

constexpr uint32_t InputChannelFlags = ChannelFlagPresent | ChannelFlagInput;
constexpr uint32_t OutputChannelFlags = ChannelFlagPresent | ChannelFlagOutput;
constexpr uint32_t BothWaysChannelFlags = ChannelFlagPresent | ChannelFlagInput | ChannelFlagOutput;

// Offsets inside an axis record.
constexpr size_t RecordAxisNumber = 0;
constexpr size_t RecordAxisType = 2;
constexpr size_t RecordCoarseHome = 16;
constexpr size_t RecordPlusLimit = 17;
constexpr size_t RecordMinusLimit = 18;
constexpr size_t RecordFault = 19;
constexpr size_t RecordEnable = 20;
constexpr size_t RecordHalfCurrent = 21;
constexpr size_t RecordDirection = 22;
// Not interpreted by Quillet; a recognisable byte shows round trips keep it.
constexpr size_t RecordMarker = 23;
constexpr uint8_t RecordMarkerValue = 0x5A;

constexpr int DefaultAxisCount = 8;
constexpr int DefaultServoAxes = 4;
constexpr uint16_t AxisTypeServo = 1;
constexpr uint16_t AxisTypeStepper = 2;

uint32_t defaultChannelFlags(uint32_t channel)
{
    if (channel >= 1 && channel <= 24) {
        return InputChannelFlags;
    }
    if (channel >= 25 && channel <= 40) {
        return OutputChannelFlags;
    }
    if (channel >= 41 && channel <= 48) {
        return BothWaysChannelFlags;
    }
    return 0;
}

void storeLittleEndian16(IoConfigArea& area, size_t offset, uint16_t value)
{
    area[offset] = static_cast<uint8_t>(value & 0xFF);
    area[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void fillDefaultAxisRecord(IoConfigArea& area, int axis)
{
    size_t record = axisRecordOffset(axis);
    bool servo = axis <= DefaultServoAxes;
    uint8_t n = static_cast<uint8_t>(axis);
    area[record + RecordAxisNumber] = n;
    storeLittleEndian16(area, record + RecordAxisType, servo ? AxisTypeServo : AxisTypeStepper);
    area[record + RecordCoarseHome] = n;
    area[record + RecordPlusLimit] = 8 + n;
    area[record + RecordMinusLimit] = 16 + n;
    area[record + RecordFault] = 40 + n;
    area[record + RecordEnable] = 24 + n;
    area[record + RecordHalfCurrent] = servo ? 0 : 32 + n;
    area[record + RecordDirection] = servo ? 32 + n : 0;
    area[record + RecordMarker] = RecordMarkerValue;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> digitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    if (value < 0 || value >= base) {
        return std::nullopt;
    }
    return value;
}

bool hasHexPrefix(std::string_view text)
{
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

// Decimal or 0x hex, optionally signed; the whole text must be the number.
std::optional<int64_t> parseNumber(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (hasHexPrefix(text)) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // Far beyond any field, small enough never to overflow.
    constexpr int64_t Limit = int64_t{1} << 40;
    int64_t value = 0;
    for (char c : text) {
        std::optional<int> digit = digitValue(c, base);
        if (!digit) {
            return std::nullopt;
        }
        value = value * base + *digit;
        if (value > Limit) {
            return std::nullopt;
        }
    }
    return negative ? -value : value;
}

// A value fits a field of `bits` bits when it is a valid signed or unsigned
// number of that width; the field keeps its bit pattern.
std::optional<uint32_t> fieldValue(std::string_view text, int bits)
{
    std::optional<int64_t> value = parseNumber(text);
    int64_t lowest = -(int64_t{1} << (bits - 1));
    int64_t highest = (int64_t{1} << bits) - 1;
    if (!value || *value < lowest || *value > highest) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(static_cast<uint64_t>(*value) & static_cast<uint64_t>(highest));
}

std::optional<int64_t> numberInRange(std::string_view text, int64_t lowest, int64_t highest)
{
    std::optional<int64_t> value = parseNumber(text);
    if (!value || *value < lowest || *value > highest) {
        return std::nullopt;
    }
    return value;
}

// "7" or "1-24"; a leading minus is a sign, not a range.
std::optional<ChannelFlagsOverride> parseChannelRange(std::string_view text)
{
    text = trimmed(text);
    size_t dash = text.empty() ? std::string_view::npos : text.find('-', 1);
    std::string_view firstText = text.substr(0, dash);
    std::string_view lastText = dash == std::string_view::npos ? firstText : text.substr(dash + 1);
    std::optional<int64_t> first = numberInRange(firstText, 0, UINT32_MAX);
    std::optional<int64_t> last = numberInRange(lastText, 0, UINT32_MAX);
    if (!first || !last || *first > *last) {
        return std::nullopt;
    }
    return ChannelFlagsOverride{static_cast<uint32_t>(*first), static_cast<uint32_t>(*last), 0};
}

std::optional<uint8_t> parseHexByte(std::string_view token)
{
    if (hasHexPrefix(token)) {
        token.remove_prefix(2);
    }
    if (token.empty() || token.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : token) {
        std::optional<int> digit = digitValue(c, 16);
        if (!digit) {
            return std::nullopt;
        }
        value = value * 16 + *digit;
    }
    return static_cast<uint8_t>(value);
}

// 1 to 64 blank-separated hex bytes.
std::optional<std::vector<uint8_t>> parseRecordBytes(std::string_view text)
{
    std::vector<uint8_t> bytes;
    text = trimmed(text);
    while (!text.empty()) {
        size_t end = 0;
        while (end < text.size() && !isBlank(text[end])) {
            ++end;
        }
        std::optional<uint8_t> byte = parseHexByte(text.substr(0, end));
        if (!byte || bytes.size() == AxisRecordSize) {
            return std::nullopt;
        }
        bytes.push_back(*byte);
        text = trimmed(text.substr(end));
    }
    if (bytes.empty()) {
        return std::nullopt;
    }
    return bytes;
}

void applyChannelFlags(Board& board, std::string_view argument, std::string_view value)
{
    std::optional<ChannelFlagsOverride> range = parseChannelRange(argument);
    std::optional<uint32_t> flags = fieldValue(value, 32);
    if (range && flags) {
        range->flags = *flags;
        board.channelFlagsOverrides.push_back(*range);
    }
}

void applyAreaByte(Board& board, std::string_view argument, std::string_view value)
{
    std::optional<int64_t> offset = numberInRange(argument, 0, IoConfigAreaSize - 1);
    std::optional<uint32_t> byte = fieldValue(value, 8);
    if (offset && byte) {
        board.area[static_cast<size_t>(*offset)] = static_cast<uint8_t>(*byte);
    }
}

void applyAxisRecord(Board& board, std::string_view argument, std::string_view value)
{
    std::optional<int64_t> axis = numberInRange(argument, 1, AxisRecordCount);
    std::optional<std::vector<uint8_t>> bytes = parseRecordBytes(value);
    if (axis && bytes) {
        size_t record = axisRecordOffset(static_cast<int>(*axis));
        for (size_t i = 0; i < bytes->size(); ++i) {
            board.area[record + i] = (*bytes)[i];
        }
    }
}

void applySetting(Board& board, std::string_view key, std::string_view value)
{
    if (key == "open") {
        if (std::optional<uint32_t> result = fieldValue(value, 16)) {
            board.openResult = static_cast<int16_t>(*result);
        }
    } else if (key == "channels") {
        if (std::optional<uint32_t> count = fieldValue(value, 32)) {
            board.channelCount = static_cast<int32_t>(*count);
        }
    } else if (key == "axisCount") {
        if (std::optional<uint32_t> count = fieldValue(value, 16)) {
            storeLittleEndian16(board.area, AxisCountOffset, static_cast<uint16_t>(*count));
        }
    } else if (key == "select") {
        if (std::optional<uint32_t> result = fieldValue(value, 16)) {
            board.selectResult = static_cast<int16_t>(*result);
        }
    } else if (key == "registry") {
        if (value == "on" || value == "off") {
            board.registryOverlay = value == "on";
        }
    }
}

void applyIndexedSetting(Board& board, std::string_view key, std::string_view argument,
                         std::string_view value)
{
    if (key == "flags") {
        applyChannelFlags(board, argument, value);
    } else if (key == "byte") {
        applyAreaByte(board, argument, value);
    } else if (key == "record") {
        applyAxisRecord(board, argument, value);
    }
}

}  // namespace

size_t axisRecordOffset(int axis)
{
    return AxisRecordsOffset + static_cast<size_t>(axis - 1) * AxisRecordSize;
}

uint16_t axisCountOf(const IoConfigArea& area)
{
    return static_cast<uint16_t>(area[AxisCountOffset] | (area[AxisCountOffset + 1] << 8));
}

Board makeDefaultBoard()
{
    Board board;
    storeLittleEndian16(board.area, AxisCountOffset, DefaultAxisCount);
    for (int axis = 1; axis <= DefaultAxisCount; ++axis) {
        fillDefaultAxisRecord(board.area, axis);
    }
    return board;
}

uint32_t channelFlags(const Board& board, uint32_t channel)
{
    for (auto it = board.channelFlagsOverrides.rbegin(); it != board.channelFlagsOverrides.rend(); ++it) {
        if (channel >= it->firstChannel && channel <= it->lastChannel) {
            return it->flags;
        }
    }
    return defaultChannelFlags(channel);
}

void applyBoardDescriptionLine(Board& board, std::string_view line)
{
    line = trimmed(line.substr(0, line.find('#')));
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    std::string_view left = trimmed(line.substr(0, equals));
    std::string_view value = trimmed(line.substr(equals + 1));
    size_t keyEnd = 0;
    while (keyEnd < left.size() && !isBlank(left[keyEnd])) {
        ++keyEnd;
    }
    std::string_view key = left.substr(0, keyEnd);
    std::string_view argument = trimmed(left.substr(keyEnd));
    if (argument.empty()) {
        applySetting(board, key, value);
    } else {
        applyIndexedSetting(board, key, argument, value);
    }
}

Board parseBoardDescription(std::istream& text)
{
    Board board = makeDefaultBoard();
    std::string line;
    while (std::getline(text, line)) {
        applyBoardDescriptionLine(board, line);
    }
    return board;
}

Board loadBoardDescription()
{
    std::optional<std::string> path = readEnvironmentVariable("KXSIM_BOARD");
    if (!path) {
        return makeDefaultBoard();
    }
    std::ifstream file(*path);
    if (!file) {
        return makeDefaultBoard();
    }
    return parseBoardDescription(file);
}
