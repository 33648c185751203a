// The names under which axis records are stored: the section and keys of a
// configuration file (.tvxio), and the board driver's registry key, values
// and device.
#pragma once

#include <cstdint>
#include <string>

#include "ioconfig/controller_number.h"

constexpr const char* ConfigFileSection = "TVXIOConfig";
// What a copy of stored values says about itself: whose they were, when.
constexpr const char* BackupSection = "Backup";

constexpr const char* DriverKeyPrefix = "SYSTEM\\CurrentControlSet\\Services\\KXAPI\\Parameters\\";
constexpr const char* DriverDevicePrefix = "\\\\.\\KXAPI";

// Short for the number's own: ControllerNumber::Text.
std::string ControllerNumberText(ControllerNumber controllerNumber);

// "Axis" n "IOConfig": the key of axis n in a configuration file and its
// value under the driver key.
std::string AxisValueName(int axis);

// Below HKEY_LOCAL_MACHINE; short for the number's own.
std::string DriverKeyPath(ControllerNumber controllerNumber);
std::string DriverDeviceName(ControllerNumber controllerNumber);
