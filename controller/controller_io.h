// What Quillet reads from a controller through the API library: its I/O
// configuration area, and what each of its channels serves. A call's status
// is 0 or more when it worked, negative when it failed.
#pragma once

#include <cstdint>
#include <optional>

#include "controller/controller_library.h"
#include "controller/unique_handle.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"

// A controller handle is open above 0; KXOpen's failure values are 0 or less.
struct ControllerHandleKind {
    using Handle = int16_t;
    static Handle Empty() { return 0; }
    static bool IsOpen(Handle handle) { return handle > 0; }
    static void Close(Handle handle) { KXClose(handle); }
};
using UniqueController = UniqueHandle<ControllerHandleKind>;

// Whether the calls that open and read a controller are bound: tvxio runs
// without the controller library for its file commands.
bool ControllerCallsBound();

// KXOpen with the mode and name every command uses; closed when the owner
// goes.
UniqueController OpenController(ControllerNumber controllerNumber);

enum class ControllerRead { NotOpened, Failed, Read };

// Opens the controller, reads its whole I/O configuration area into image
// and closes it again. A read that fails leaves the image as it was.
ControllerRead ReadControllerIoConfig(ControllerNumber controllerNumber, IoConfigImage& image);

// The number of channels an open controller reports; nothing when it
// cannot say.
std::optional<int32_t> QueryChannelCount(int16_t handle);

// The flags of the channels an open controller reports, as many as the
// editor offers (at most 255). A channel whose flags cannot be read serves
// nothing and is listed among the unread ones.
ChannelConfiguration ReadChannelFlags(int16_t handle, int32_t channelCount);

// Opens the controller and reads its channel count and flags, as the
// editor does; nothing when it cannot be opened or cannot say its count.
std::optional<ChannelConfiguration> ReadChannelConfiguration(ControllerNumber controllerNumber);
