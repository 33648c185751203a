#include "sim/registry_overlay.h"

#include <windows.h>

#include "sim/text_format.h"

namespace {

// Closes the key whichever way the overlay ends.
struct OpenRegistryKey {
    HKEY key = nullptr;
    OpenRegistryKey(const OpenRegistryKey&) = delete;
    OpenRegistryKey& operator=(const OpenRegistryKey&) = delete;
    explicit OpenRegistryKey(const std::string& path)
    {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            key = nullptr;
        }
    }
    ~OpenRegistryKey()
    {
        if (key) {
            RegCloseKey(key);
        }
    }
};

void overlayAxisRecord(HKEY key, IoConfigArea& area, int axis)
{
    std::string valueName = formatText("Axis%dIOConfig", axis);
    BYTE record[AxisRecordSize];
    DWORD type = 0;
    DWORD size = sizeof record;
    // A longer value fails with ERROR_MORE_DATA and is skipped like a shorter one.
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, record, &size);
    if (status != ERROR_SUCCESS || type != REG_BINARY || size != AxisRecordSize) {
        return;
    }
    size_t offset = axisRecordOffset(axis);
    for (size_t i = 0; i < AxisRecordSize; ++i) {
        area[offset + i] = record[i];
    }
}

}  // namespace

int16_t controllerNumber(uint32_t controllerArgument)
{
    return static_cast<int16_t>(controllerArgument & 0xFFFF);
}

std::string controllerParametersKeyPath(int16_t controller)
{
    return formatText("SYSTEM\\CurrentControlSet\\Services\\KXAPI\\Parameters\\%d", controller);
}

void applyRegistryOverlay(IoConfigArea& area, int16_t controller)
{
    OpenRegistryKey parameters(controllerParametersKeyPath(controller));
    if (!parameters.key) {
        return;
    }
    for (int axis = 1; axis <= AxisRecordCount; ++axis) {
        overlayAxisRecord(parameters.key, area, axis);
    }
}
