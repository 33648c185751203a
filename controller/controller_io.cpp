#include "controller/controller_io.h"

#include "controller/library_binding.h"
#include "ioconfig/channel_offer.h"

static_assert(IoConfigAreaSize == IoConfigImageSize);

namespace {

int32_t ChannelCountOf(const ControllerConfigRecord& record) {
    const uint8_t* count = record.bytes + ConfigRecordChannelCountOffset;
    return static_cast<int32_t>(count[0] | (count[1] << 8) | (count[2] << 16) |
                                (static_cast<uint32_t>(count[3]) << 24));
}

}  // namespace

bool ControllerCallsBound() {
    for (int call : {EntryPoint_KXOpen, EntryPoint_KXClose, EntryPoint_krxgetramex, EntryPoint_KXGetConfigurationEx,
                     EntryPoint_KXGetDigitalIOConfig})
        if (apiEntryPoints.slots[call] == nullptr) return false;
    return true;
}

UniqueController OpenController(ControllerNumber controllerNumber) {
    return UniqueController(KXOpen(controllerNumber.value, ControllerOpenMode, ControllerOpenName));
}

ControllerRead ReadControllerIoConfig(ControllerNumber controllerNumber, IoConfigImage& image) {
    const UniqueController controller = OpenController(controllerNumber);
    if (!controller.IsOpen()) return ControllerRead::NotOpened;
    // Read in place; a read that fails part way leaves the image as it was.
    const IoConfigImage before = image;
    if (krxgetramex(controller.Get(), IoConfigAreaAddress, ImageBytes(image), IoConfigAreaSize) >= 0)
        return ControllerRead::Read;
    image = before;
    return ControllerRead::Failed;
}

std::optional<int32_t> QueryChannelCount(int16_t handle) {
    ControllerConfigRecord record{};
    record.bytes[ConfigRecordSizeOffset] = static_cast<uint8_t>(ControllerConfigRecordSize);
    if (KXGetConfigurationEx(handle, &record) < 0) return std::nullopt;
    return ChannelCountOf(record);
}

ChannelConfiguration ReadChannelFlags(int16_t handle, int32_t channelCount) {
    ChannelConfiguration channels{channelCount, {}, {}};
    for (int channel = 1; channel <= ChannelsToOffer(channelCount); ++channel) {
        uint32_t flags = 0;
        if (KXGetDigitalIOConfig(handle, static_cast<uint32_t>(channel), &flags) < 0) {
            flags = 0;
            channels.unreadChannels.push_back(channel);
        }
        channels.flags.push_back(flags);
    }
    return channels;
}

std::optional<ChannelConfiguration> ReadChannelConfiguration(ControllerNumber controllerNumber) {
    const UniqueController controller = OpenController(controllerNumber);
    if (!controller.IsOpen()) return std::nullopt;
    const std::optional<int32_t> count = QueryChannelCount(controller.Get());
    if (!count) return std::nullopt;
    return ReadChannelFlags(controller.Get(), *count);
}
