#include "ioconfig/io_config_image.h"

#include <algorithm>

const std::array<SignalRow, 6> ServoSignals = {{
    {IoSignal::CoarseHome, "Coarse Home (inp)", SignalDirection::Input},
    {IoSignal::PlusLimit, "Plus Limit (inp)", SignalDirection::Input},
    {IoSignal::MinusLimit, "Minus Limit (inp)", SignalDirection::Input},
    {IoSignal::Fault, "Amp Fault (inp)", SignalDirection::Input},
    {IoSignal::Enable, "Amp Enable (out)", SignalDirection::Output},
    {IoSignal::Direction, "Direction (out)", SignalDirection::Output},
}};

const std::array<SignalRow, 6> StepperSignals = {{
    {IoSignal::CoarseHome, "Coarse Home (inp)", SignalDirection::Input},
    {IoSignal::PlusLimit, "Plus Limit (inp)", SignalDirection::Input},
    {IoSignal::MinusLimit, "Minus Limit (inp)", SignalDirection::Input},
    {IoSignal::Fault, "Drive Fault (inp)", SignalDirection::Input},
    {IoSignal::Enable, "Drive Enable (out)", SignalDirection::Output},
    {IoSignal::HalfCurrent, "Half Current (out)", SignalDirection::Output},
}};

const std::array<SignalRow, 6>& SignalsOf(AxisKind kind) {
    return kind == AxisKind::Servo ? ServoSignals : StepperSignals;
}

namespace {

size_t RecordOffset(int axis) {
    return IoConfigHeaderSize + static_cast<size_t>(axis - 1) * AxisIoRecordSize;
}

size_t SlotOffset(int axis, IoSignal signal) {
    return RecordOffset(axis) + static_cast<size_t>(signal);
}

}  // namespace

uint8_t* ImageBytes(IoConfigImage& image) { return image.bytes.data(); }

uint16_t GetAxisCount(const IoConfigImage& image) {
    return static_cast<uint16_t>(image.bytes[AxisCountOffset] |
                                 (image.bytes[AxisCountOffset + 1] << 8));
}

void SetAxisCount(IoConfigImage& image, uint16_t axisCount) {
    image.bytes[AxisCountOffset] = static_cast<uint8_t>(axisCount & 0xFF);
    image.bytes[AxisCountOffset + 1] = static_cast<uint8_t>(axisCount >> 8);
}

int AxisRecordsInUse(const IoConfigImage& image) {
    return std::min<int>(GetAxisCount(image), MaxAxisRecords);
}

bool IsAxisInImage(int axis) { return axis >= 1 && axis <= MaxAxisRecords; }

AxisIoRecord GetAxisRecord(const IoConfigImage& image, int axis) {
    AxisIoRecord record;
    if (IsAxisInImage(axis)) {
        auto first = image.bytes.begin() + static_cast<ptrdiff_t>(RecordOffset(axis));
        std::copy(first, first + AxisIoRecordSize, record.bytes.begin());
    }
    return record;
}

void SetAxisRecord(IoConfigImage& image, int axis, const AxisIoRecord& record) {
    if (!IsAxisInImage(axis)) return;
    std::copy(record.bytes.begin(), record.bytes.end(),
              image.bytes.begin() + static_cast<ptrdiff_t>(RecordOffset(axis)));
}

uint16_t GetAxisType(const AxisIoRecord& record) {
    return static_cast<uint16_t>(record.bytes[AxisTypeOffset] |
                                 (record.bytes[AxisTypeOffset + 1] << 8));
}

AxisKind GetAxisKind(const AxisIoRecord& record) {
    return GetAxisType(record) == ServoAxisType ? AxisKind::Servo : AxisKind::Stepper;
}

uint8_t GetChannel(const AxisIoRecord& record, IoSignal signal) {
    return record.bytes[static_cast<size_t>(signal)];
}

uint8_t GetChannel(const IoConfigImage& image, int axis, IoSignal signal) {
    return IsAxisInImage(axis) ? image.bytes[SlotOffset(axis, signal)] : NoChannel;
}

void SetChannel(IoConfigImage& image, int axis, IoSignal signal, uint8_t channel) {
    if (IsAxisInImage(axis)) image.bytes[SlotOffset(axis, signal)] = channel;
}
