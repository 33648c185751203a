// The names under which axis records are stored: the section and keys of a
// configuration file (.tvxio), and the board driver's registry key, values
// and device.
#pragma once

#include <cstdint>
#include <string>

constexpr const char* ConfigFileSection = "TVXIOConfig";

constexpr const char* DriverKeyPrefix = "SYSTEM\\CurrentControlSet\\Services\\KXAPI\\Parameters\\";
constexpr const char* DriverDevicePrefix = "\\\\.\\KXAPI";

// The driver names a controller by the low 16 bits of its number, signed:
// 65535 is "-1".
std::string ControllerNumberText(uint16_t controllerNumber);

// "Axis" n "IOConfig": the key of axis n in a configuration file and its
// value under the driver key.
std::string AxisValueName(int axis);

// Below HKEY_LOCAL_MACHINE.
std::string DriverKeyPath(uint16_t controllerNumber);
std::string DriverDeviceName(uint16_t controllerNumber);
