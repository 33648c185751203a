// What Quillet reads from a controller through the API library: its I/O
// configuration area, and what each of its channels serves.
#pragma once

#include <cstdint>

#include "ioconfig/io_config_image.h"

// KXOpen with the mode and name every command uses: a handle above 0, or
// the library's failure value.
int16_t OpenController(uint16_t controllerNumber);

// Opens the controller, reads its whole I/O configuration area into image
// and closes it again. False when the controller could not be opened; once
// it was, the image counts as read whatever the read answered.
bool ReadControllerIoConfig(uint16_t controllerNumber, IoConfigImage& image);

// The number of channels an open controller reports; 0 when it cannot say.
int32_t QueryChannelCount(int16_t handle);

// The flags word of one channel; 0, offering the channel nowhere, when the
// query fails.
uint32_t QueryChannelFlags(int16_t handle, int channel);
