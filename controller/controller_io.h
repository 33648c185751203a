// What Quillet reads from a controller through the API library: its I/O
// configuration area, and what each of its channels serves. A call's status
// is 0 or more when it worked, negative when it failed.
#pragma once

#include <cstdint>
#include <optional>

#include "ioconfig/assignment_check.h"
#include "ioconfig/io_config_image.h"

// KXOpen with the mode and name every command uses: a handle above 0, or
// the library's failure value.
int16_t OpenController(uint16_t controllerNumber);

enum class ControllerRead { NotOpened, Failed, Read };

// Opens the controller, reads its whole I/O configuration area into image
// and closes it again. A read that fails leaves the image as it was.
ControllerRead ReadControllerIoConfig(uint16_t controllerNumber, IoConfigImage& image);

// The number of channels an open controller reports; nothing when it
// cannot say.
std::optional<int32_t> QueryChannelCount(int16_t handle);

// The flags word of one channel; nothing when the query fails.
std::optional<uint32_t> QueryChannelFlags(int16_t handle, int channel);

// Opens the controller and reads how many channels it has and what each of
// the first 255 serves, as the editor does; nothing when it cannot be opened
// or cannot say. A channel that cannot be read serves nothing.
std::optional<ChannelConfiguration> ReadChannelConfiguration(uint16_t controllerNumber);
