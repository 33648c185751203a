#include "ioconfig/store_names.h"

std::string ControllerNumberText(uint16_t controllerNumber) {
    return std::to_string(static_cast<int16_t>(controllerNumber));
}

std::string AxisValueName(int axis) { return "Axis" + std::to_string(axis) + "IOConfig"; }

std::string DriverKeyPath(uint16_t controllerNumber) {
    return DriverKeyPrefix + ControllerNumberText(controllerNumber);
}

std::string DriverDeviceName(uint16_t controllerNumber) {
    return DriverDevicePrefix + ControllerNumberText(controllerNumber);
}
