// The driver side of the controller: the axis records it takes from its
// registry key when the controller starts, and the restart through its
// device that makes it take them up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controller/unique_handle.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"

// The calls the store and the restart make: the real ones, unless a test
// watches the device that no driver serves here, or fails a registry call
// that will not fail on its own.
struct DriverRegistryCalls {
    decltype(&RegCreateKeyA) createKey = RegCreateKeyA;
    decltype(&RegOpenKeyExA) openKey = RegOpenKeyExA;
    decltype(&RegSetValueExA) setValue = RegSetValueExA;
    decltype(&RegDeleteValueA) deleteValue = RegDeleteValueA;
    decltype(&RegCloseKey) closeKey = RegCloseKey;
};
struct DriverDeviceCalls {
    decltype(&CreateFileA) createFile = CreateFileA;
    decltype(&DeviceIoControl) deviceIoControl = DeviceIoControl;
    decltype(&CloseHandle) closeHandle = CloseHandle;
};
extern DriverRegistryCalls driverRegistry;
extern DriverDeviceCalls driverDevice;

// Keys and the device are closed through the same calls that opened them.
struct RegistryKeyKind {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsOpen(Handle key) { return key != nullptr; }
    static void Close(Handle key) { driverRegistry.closeKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyKind>;

struct DeviceKind {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsOpen(Handle device) { return device != INVALID_HANDLE_VALUE; }
    static void Close(Handle device) { driverDevice.closeHandle(device); }
};
using UniqueDevice = UniqueHandle<DeviceKind>;

// Each returns 0, or the system's error code of the first call that failed.

// Stores records 1 to axisCount (at most 16) as the driver's values and
// deletes the values of the axes past them, so that the key holds exactly
// the image's axes: a copy written back restores what was stored. Values of
// other names are left alone. A value that cannot be set or deleted does not
// keep the others from being set or deleted.
uint32_t WriteDriverIoConfig(ControllerNumber controllerNumber, const IoConfigImage& image);
// Deletes the values of axes 1 to 16, whatever the image holds; a value that
// is not there is no failure.
uint32_t ResetDriverIoConfig(ControllerNumber controllerNumber);
// Asks the driver to restart the controller. Without the device (no driver
// serves it) nothing is sent and that is no failure; a device that is there
// but cannot be opened is. The driver's answers to the requests are not
// known, so they are not judged.
uint32_t RestartController(ControllerNumber controllerNumber);

struct StoredAxisValue {
    int axis;
    DWORD type;
    std::vector<uint8_t> bytes;
};

// The values Axis1IOConfig to Axis16IOConfig stored for the controller, in
// axis order; none when the key or the values are not there.
std::vector<StoredAxisValue> ReadStoredAxisValues(ControllerNumber controllerNumber);

// The stored values as the records of an image, the axis count the highest
// axis stored: what the controller takes up at its next restart. A value
// that is not a REG_BINARY of 64 bytes is no record: it is named instead,
// and the image is not to be used.
struct StoredIoConfig {
    IoConfigImage image;
    std::string refusedValue;
};
StoredIoConfig ReadStoredIoConfig(ControllerNumber controllerNumber);
