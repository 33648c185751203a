#include "sim/registry_overlay.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "sim/text_format.h"

namespace {

std::string ParametersKeyPath(uint32_t controllerArgument) {
    int controller = static_cast<int16_t>(controllerArgument & 0xFFFF);
    return FormatText("SYSTEM\\CurrentControlSet\\Services\\KXAPI\\Parameters\\%d", controller);
}

void OverlayAxisRecord(HKEY key, IoConfigArea& area, int axis) {
    std::string valueName = FormatText("Axis%dIOConfig", axis);
    BYTE record[AxisRecordSize];
    DWORD type = 0;
    DWORD size = sizeof record;
    // A longer value fails with ERROR_MORE_DATA and is skipped like a shorter one.
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, record, &size);
    if (status != ERROR_SUCCESS || type != REG_BINARY || size != AxisRecordSize) return;
    std::copy(record, record + AxisRecordSize, area.begin() + AxisRecordOffset(axis));
}

}  // namespace

void ApplyRegistryOverlay(IoConfigArea& area, uint32_t controllerArgument) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, ParametersKeyPath(controllerArgument).c_str(),
                                0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS) return;
    for (int axis = 1; axis <= AxisRecordCount; ++axis) OverlayAxisRecord(key, area, axis);
    RegCloseKey(key);
}
