#include "sim/board_description.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "sim/environment.h"

namespace {

constexpr std::string_view Blanks = " \t\r\n\v\f";

std::string_view Trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// Takes the first blank-separated word off `text`, leaving the rest trimmed.
std::string_view TakeWord(std::string_view& text) {
    size_t end = std::min(text.find_first_of(Blanks), text.size());
    std::string_view word = text.substr(0, end);
    text = Trimmed(text.substr(end));
    return word;
}

bool HasHexPrefix(std::string_view text) {
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

// Bare digits making up the whole text: no sign, prefix or blanks.
std::optional<uint64_t> ParseDigits(std::string_view text, int base) {
    if (text.empty()) return std::nullopt;
    const char* end = text.data() + text.size();
    uint64_t value = 0;
    auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

// Decimal or 0x hex, optionally signed; the whole text must be the number.
std::optional<int64_t> ParseNumber(std::string_view text) {
    text = Trimmed(text);
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    int base = 10;
    if (HasHexPrefix(text)) {
        base = 16;
        text.remove_prefix(2);
    }
    // Far beyond any field, and far from overflowing when negated.
    constexpr uint64_t Limit = uint64_t{1} << 40;
    std::optional<uint64_t> magnitude = ParseDigits(text, base);
    if (!magnitude || *magnitude > Limit) return std::nullopt;
    int64_t value = static_cast<int64_t>(*magnitude);
    return negative ? -value : value;
}

std::optional<int64_t> NumberInRange(std::string_view text, int64_t lowest, int64_t highest) {
    std::optional<int64_t> value = ParseNumber(text);
    if (!value || *value < lowest || *value > highest) return std::nullopt;
    return value;
}

// A field of `bits` bits takes any signed or unsigned number of that width
// and keeps its bit pattern.
std::optional<uint32_t> FieldValue(std::string_view text, int bits) {
    int64_t highest = (int64_t{1} << bits) - 1;
    std::optional<int64_t> value = NumberInRange(text, -(int64_t{1} << (bits - 1)), highest);
    if (!value) return std::nullopt;
    return static_cast<uint32_t>(*value & highest);
}

// "7" or "1-24"; a leading minus is a sign, not a range.
std::optional<ChannelFlagsOverride> ParseChannelRange(std::string_view text) {
    size_t dash = text.empty() ? std::string_view::npos : text.find('-', 1);
    std::string_view firstText = text.substr(0, dash);
    std::string_view lastText = dash == std::string_view::npos ? firstText : text.substr(dash + 1);
    std::optional<int64_t> first = NumberInRange(firstText, 0, UINT32_MAX);
    std::optional<int64_t> last = NumberInRange(lastText, 0, UINT32_MAX);
    if (!first || !last || *first > *last) return std::nullopt;
    return ChannelFlagsOverride{static_cast<uint32_t>(*first), static_cast<uint32_t>(*last), 0};
}

// One or two hex digits, with or without 0x.
std::optional<uint8_t> ParseHexByte(std::string_view token) {
    if (HasHexPrefix(token)) token.remove_prefix(2);
    std::optional<uint64_t> value = ParseDigits(token, 16);
    if (!value || token.size() > 2) return std::nullopt;
    return static_cast<uint8_t>(*value);
}

// 1 to 64 blank-separated hex bytes.
std::optional<std::vector<uint8_t>> ParseRecordBytes(std::string_view text) {
    std::vector<uint8_t> bytes;
    while (!text.empty()) {
        std::optional<uint8_t> byte = ParseHexByte(TakeWord(text));
        if (!byte || bytes.size() == AxisRecordSize) return std::nullopt;
        bytes.push_back(*byte);
    }
    if (bytes.empty()) return std::nullopt;
    return bytes;
}

void ApplyChannelFlags(Board& board, std::string_view channels, std::string_view value) {
    std::optional<ChannelFlagsOverride> range = ParseChannelRange(channels);
    std::optional<uint32_t> flags = FieldValue(value, 32);
    if (!range || !flags) return;
    range->flags = *flags;
    board.channelFlagsOverrides.push_back(*range);
}

void ApplyChannelQueryResult(Board& board, std::string_view channels, std::string_view value) {
    std::optional<ChannelFlagsOverride> range = ParseChannelRange(channels);
    std::optional<uint32_t> result = FieldValue(value, 16);
    if (!range || !result) return;
    board.channelQueryResults.push_back(
        {range->firstChannel, range->lastChannel, static_cast<int16_t>(static_cast<uint16_t>(*result))});
}

void ApplyAreaByte(Board& board, std::string_view offsetText, std::string_view value) {
    std::optional<int64_t> offset = NumberInRange(offsetText, 0, IoConfigAreaSize - 1);
    std::optional<uint32_t> byte = FieldValue(value, 8);
    if (!offset || !byte) return;
    board.area[static_cast<size_t>(*offset)] = static_cast<uint8_t>(*byte);
}

void ApplyAxisRecord(Board& board, std::string_view axisText, std::string_view value) {
    std::optional<int64_t> axis = NumberInRange(axisText, 1, AxisRecordCount);
    std::optional<std::vector<uint8_t>> bytes = ParseRecordBytes(value);
    if (!axis || !bytes) return;
    size_t record = AxisRecordOffset(static_cast<int>(*axis));
    std::copy(bytes->begin(), bytes->end(), board.area.begin() + record);
}

// "key = value"
void ApplySetting(Board& board, std::string_view key, std::string_view value) {
    if (key == "open") {
        if (auto result = FieldValue(value, 16)) board.openResult = static_cast<int16_t>(*result);
    } else if (key == "channels") {
        if (auto count = FieldValue(value, 32)) board.channelCount = static_cast<int32_t>(*count);
    } else if (key == "axisCount") {
        if (auto count = FieldValue(value, 16)) {
            SetAxisCount(board.area, static_cast<uint16_t>(*count));
        }
    } else if (key == "configuration") {
        if (auto result = FieldValue(value, 16)) board.configurationResult = static_cast<int16_t>(*result);
    } else if (key == "readArea") {
        if (auto result = FieldValue(value, 16)) board.readAreaResult = static_cast<int16_t>(*result);
    } else if (key == "select") {
        if (auto result = FieldValue(value, 16)) board.selectResult = static_cast<int16_t>(*result);
    } else if (key == "failedOpens") {
        if (auto count = FieldValue(value, 16)) board.failedOpens = static_cast<int>(*count);
    } else if (key == "registry") {
        if (value == "on" || value == "off") board.registryOverlay = value == "on";
    }
}

// "key argument = value"
void ApplyIndexedSetting(Board& board, std::string_view key, std::string_view argument,
                         std::string_view value) {
    if (key == "flags") {
        ApplyChannelFlags(board, argument, value);
    } else if (key == "channelQuery") {
        ApplyChannelQueryResult(board, argument, value);
    } else if (key == "byte") {
        ApplyAreaByte(board, argument, value);
    } else if (key == "record") {
        ApplyAxisRecord(board, argument, value);
    }
}

void ApplyBoardDescriptionLine(Board& board, std::string_view line) {
    line = line.substr(0, line.find('#'));
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    std::string_view argument = Trimmed(line.substr(0, equals));
    std::string_view key = TakeWord(argument);
    std::string_view value = Trimmed(line.substr(equals + 1));
    if (argument.empty()) {
        ApplySetting(board, key, value);
    } else {
        ApplyIndexedSetting(board, key, argument, value);
    }
}

}  // namespace

Board LoadBoardDescription() {
    Board board = MakeDefaultBoard();
    std::optional<std::string> path = ReadEnvironmentVariable("KXSIM_BOARD");
    if (!path) return board;
    // Plain C input keeps the simulated libraries small and quick to load,
    // like the vendor's own.
    std::FILE* file = std::fopen(path->c_str(), "r");
    if (file == nullptr) return board;
    std::string text;
    char buffer[4096];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, read);
    std::fclose(file);
    for (std::string_view rest = text; !rest.empty();) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        ApplyBoardDescriptionLine(board, rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return board;
}
