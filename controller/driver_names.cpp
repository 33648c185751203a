#include "controller/driver_names.h"

#include <sstream>

std::string ControllerNumberText(uint16_t controllerNumber) {
    std::ostringstream text;
    text << static_cast<int16_t>(controllerNumber);
    return text.str();
}

std::string AxisValueName(int axis) {
    std::ostringstream name;
    name << "Axis" << axis << "IOConfig";
    return name.str();
}

std::string DriverKeyPath(uint16_t controllerNumber) {
    return DriverKeyPrefix + ControllerNumberText(controllerNumber);
}

std::string DriverDeviceName(uint16_t controllerNumber) {
    return DriverDevicePrefix + ControllerNumberText(controllerNumber);
}
