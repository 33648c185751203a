// The axis records a real board takes from the registry when it restarts.
#pragma once

#include <cstdint>

#include "sim/board.h"

// Replaces axis record n of `area` with the REG_BINARY value "Axis<n>IOConfig"
// of HKLM\SYSTEM\CurrentControlSet\Services\KXAPI\Parameters\<controller>
// wherever that value exists and holds exactly one record. The key names the
// controller by the low 16 bits of KXOpen's argument, signed (65535 is -1).
void ApplyRegistryOverlay(IoConfigArea& area, uint32_t controllerArgument);
