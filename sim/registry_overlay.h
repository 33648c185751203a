// The axis records a real board takes from the registry when it restarts.
#pragma once

#include <cstdint>
#include <string>

#include "sim/board.h"

// The controller number as the registry key names it: the low 16 bits of
// KXOpen's argument, signed (65535 is -1).
int16_t controllerNumber(uint32_t controllerArgument);

// HKLM\...\Services\KXAPI\Parameters\<controller>
std::string controllerParametersKeyPath(int16_t controller);

// Replaces axis record n of `area` with the REG_BINARY value "Axis<n>IOConfig"
// wherever that value exists and holds exactly one record. A missing key
// leaves the area as it is.
void applyRegistryOverlay(IoConfigArea& area, int16_t controller);
