// The driver side of the controller: the axis records it takes from its
// registry key when the controller starts, and the restart through its
// device that makes it take them up.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ioconfig/io_config_image.h"

// The calls the store and the restart make: the real ones, unless a test
// watches the device that no driver serves here, or fails a registry call
// that will not fail on its own.
struct DriverRegistryCalls {
    decltype(&RegCreateKeyA) createKey = RegCreateKeyA;
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

// Stores records 1 to axisCount (at most 16) as the driver's values. False
// when the key could not be opened or a value could not be set.
bool WriteDriverIoConfig(uint16_t controllerNumber, const IoConfigImage& image);
// Deletes the values of axes 1 to 16, whatever the image holds. False when
// the key could not be opened or a value that is there could not be deleted.
bool ResetDriverIoConfig(uint16_t controllerNumber);
// Asks the driver to restart the controller; without the device, nothing.
void RestartController(uint16_t controllerNumber);
