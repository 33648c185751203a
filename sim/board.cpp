#include "sim/board.h"

namespace {

constexpr uint32_t InputChannelFlags = ChannelFlagPresent | ChannelFlagInput;
constexpr uint32_t OutputChannelFlags = ChannelFlagPresent | ChannelFlagOutput;
constexpr uint32_t BothWaysChannelFlags = InputChannelFlags | OutputChannelFlags;

// Offsets inside an axis record.
constexpr size_t RecordAxisNumber = 0;
constexpr size_t RecordAxisType = 2;  // 16 bits; our types fit the low byte
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
constexpr uint8_t AxisTypeServo = 1;
constexpr uint8_t AxisTypeStepper = 2;

uint32_t DefaultChannelFlags(uint32_t channel) {
    if (channel >= 1 && channel <= 24) return InputChannelFlags;
    if (channel >= 25 && channel <= 40) return OutputChannelFlags;
    if (channel >= 41 && channel <= 48) return BothWaysChannelFlags;
    return 0;
}

// Every axis gets channels of its own: the inputs among 1 to 24, the outputs
// among 25 to 40, the fault on one of the two-way channels 41 to 48.
void FillDefaultAxisRecord(IoConfigArea& area, int axis) {
    uint8_t* record = area.data() + AxisRecordOffset(axis);
    bool servo = axis <= DefaultServoAxes;
    uint8_t n = static_cast<uint8_t>(axis);
    record[RecordAxisNumber] = n;
    record[RecordAxisType] = servo ? AxisTypeServo : AxisTypeStepper;
    record[RecordCoarseHome] = n;
    record[RecordPlusLimit] = 8 + n;
    record[RecordMinusLimit] = 16 + n;
    record[RecordFault] = 40 + n;
    record[RecordEnable] = 24 + n;
    record[RecordHalfCurrent] = servo ? 0 : 32 + n;
    record[RecordDirection] = servo ? 32 + n : 0;
    record[RecordMarker] = RecordMarkerValue;
}

}  // namespace

Board MakeDefaultBoard() {
    Board board;
    SetAxisCount(board.area, DefaultAxisCount);
    for (int axis = 1; axis <= DefaultAxisCount; ++axis) FillDefaultAxisRecord(board.area, axis);
    return board;
}

uint32_t ChannelFlags(const Board& board, uint32_t channel) {
    const std::vector<ChannelFlagsOverride>& overrides = board.channelFlagsOverrides;
    for (auto it = overrides.rbegin(); it != overrides.rend(); ++it) {
        if (channel >= it->firstChannel && channel <= it->lastChannel) return it->flags;
    }
    return DefaultChannelFlags(channel);
}

bool ChannelExists(const Board& board, uint32_t channel) {
    return board.channelCount > 0 && channel >= 1 &&
           channel <= static_cast<uint32_t>(board.channelCount);
}

uint16_t AxisCountOf(const IoConfigArea& area) {
    return static_cast<uint16_t>(area[AxisCountOffset] | (area[AxisCountOffset + 1] << 8));
}

void SetAxisCount(IoConfigArea& area, uint16_t axisCount) {
    area[AxisCountOffset] = static_cast<uint8_t>(axisCount & 0xFF);
    area[AxisCountOffset + 1] = static_cast<uint8_t>(axisCount >> 8);
}

size_t AxisRecordOffset(int axis) {
    return AxisRecordsOffset + static_cast<size_t>(axis - 1) * AxisRecordSize;
}

std::optional<int16_t> ChannelQueryResultOf(const Board& board, uint32_t channel) {
    std::optional<int16_t> result;
    for (const ChannelQueryResult& range : board.channelQueryResults)
        if (channel >= range.firstChannel && channel <= range.lastChannel) result = range.result;
    return result;
}
