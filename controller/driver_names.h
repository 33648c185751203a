// The names under which the board's driver keeps and serves a controller's
// I/O assignments: its registry key, the per-axis values and its device.
#pragma once

#include <cstdint>
#include <string>

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
