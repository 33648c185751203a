// The working copy of the controller's 1280-byte I/O configuration area, in
// the controller's own little-endian layout. Only the axis count, each
// record's axis type and seven one-byte channel slots per record mean
// anything to Quillet; every other byte is carried unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr size_t IoConfigImageSize = 1280;
constexpr size_t IoConfigHeaderSize = 256;
constexpr size_t AxisCountOffset = 4;
constexpr size_t AxisIoRecordSize = 64;
constexpr int MaxAxisRecords = 16;
constexpr size_t AxisTypeOffset = 2;
constexpr uint16_t ServoAxisType = 1;

static_assert(IoConfigHeaderSize + MaxAxisRecords * AxisIoRecordSize == IoConfigImageSize);

struct IoConfigImage {
    std::array<uint8_t, IoConfigImageSize> bytes{};
};
static_assert(sizeof(IoConfigImage) == IoConfigImageSize);

struct AxisIoRecord {
    std::array<uint8_t, AxisIoRecordSize> bytes{};
};
static_assert(sizeof(AxisIoRecord) == AxisIoRecordSize);

// The seven channel slots of a record; each value is the slot's offset.
enum class IoSignal : uint8_t {
    CoarseHome = 16,
    PlusLimit = 17,
    MinusLimit = 18,
    Fault = 19,
    Enable = 20,
    HalfCurrent = 21,
    Direction = 22,
};

// A slot holding this is not assigned to any channel.
constexpr uint8_t NoChannel = 0;

enum class AxisKind { Servo, Stepper };
enum class SignalDirection { Input, Output };

struct SignalRow {
    IoSignal signal;
    const char* label;
    SignalDirection direction;
};

// The six signals of each kind of axis, in the order they are shown.
extern const std::array<SignalRow, 6> ServoSignals;
extern const std::array<SignalRow, 6> StepperSignals;
const std::array<SignalRow, 6>& SignalsOf(AxisKind kind);

// The whole image as writable bytes, the destination of a controller read.
uint8_t* ImageBytes(IoConfigImage& image);

uint16_t GetAxisCount(const IoConfigImage& image);
void SetAxisCount(IoConfigImage& image, uint16_t axisCount);

// The records in use: records 1 to axisCount, but never past the 16 the
// image holds, whatever the controller reported.
int AxisRecordsInUse(const IoConfigImage& image);

// Axes are numbered from 1 to MaxAxisRecords; other numbers are outside the
// image, read as an empty record and never written.
bool IsAxisInImage(int axis);
AxisIoRecord GetAxisRecord(const IoConfigImage& image, int axis);
void SetAxisRecord(IoConfigImage& image, int axis, const AxisIoRecord& record);

uint16_t GetAxisType(const AxisIoRecord& record);
AxisKind GetAxisKind(const AxisIoRecord& record);

uint8_t GetChannel(const AxisIoRecord& record, IoSignal signal);
uint8_t GetChannel(const IoConfigImage& image, int axis, IoSignal signal);
void SetChannel(IoConfigImage& image, int axis, IoSignal signal, uint8_t channel);
