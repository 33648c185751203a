#include "controller/controller_io.h"

#include "controller/controller_library.h"
#include "ioconfig/channel_offer.h"

static_assert(IoConfigAreaSize == IoConfigImageSize);

namespace {

int32_t ChannelCountOf(const ControllerConfigRecord& record) {
    const uint8_t* count = record.bytes + ConfigRecordChannelCountOffset;
    return static_cast<int32_t>(count[0] | (count[1] << 8) | (count[2] << 16) |
                                (static_cast<uint32_t>(count[3]) << 24));
}

}  // namespace

int16_t OpenController(uint16_t controllerNumber) {
    return KXOpen(controllerNumber, ControllerOpenMode, ControllerOpenName);
}

ControllerRead ReadControllerIoConfig(uint16_t controllerNumber, IoConfigImage& image) {
    const int16_t handle = OpenController(controllerNumber);
    if (handle <= 0) return ControllerRead::NotOpened;
    // Read in place; a read that fails part way leaves the image as it was.
    const IoConfigImage before = image;
    const int16_t status = krxgetramex(handle, IoConfigAreaAddress, ImageBytes(image), IoConfigAreaSize);
    KXClose(handle);
    if (status >= 0) return ControllerRead::Read;
    image = before;
    return ControllerRead::Failed;
}

std::optional<int32_t> QueryChannelCount(int16_t handle) {
    ControllerConfigRecord record{};
    record.bytes[ConfigRecordSizeOffset] = static_cast<uint8_t>(ControllerConfigRecordSize);
    if (KXGetConfigurationEx(handle, &record) < 0) return std::nullopt;
    return ChannelCountOf(record);
}

std::optional<uint32_t> QueryChannelFlags(int16_t handle, int channel) {
    uint32_t flags = 0;
    if (KXGetDigitalIOConfig(handle, static_cast<uint32_t>(channel), &flags) < 0) return std::nullopt;
    return flags;
}

std::optional<ChannelConfiguration> ReadChannelConfiguration(uint16_t controllerNumber) {
    const int16_t handle = OpenController(controllerNumber);
    if (handle <= 0) return std::nullopt;
    std::optional<ChannelConfiguration> channels;
    if (const std::optional<int32_t> count = QueryChannelCount(handle)) {
        channels = ChannelConfiguration{*count, {}};
        for (int channel = 1; channel <= ChannelsToOffer(*count); ++channel)
            channels->flags.push_back(QueryChannelFlags(handle, channel).value_or(0));
    }
    KXClose(handle);
    return channels;
}
