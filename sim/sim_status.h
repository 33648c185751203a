// Results of the simulated entry points. The real board only promises "0 is
// success, negative is an error"; distinct codes make a log easier to read.
#pragma once

#include <cstdint>

constexpr int16_t SimOk = 0;
constexpr int16_t SimErrorUnknownHandle = -1;
constexpr int16_t SimErrorBadArgument = -2;
constexpr int16_t SimErrorOutsideArea = -3;
constexpr int16_t SimErrorNoSuchChannel = -4;
constexpr int16_t SimErrorDialogFailed = -5;
