#include "ioconfig/store_names.h"

std::string ControllerNumberText(ControllerNumber controllerNumber) { return controllerNumber.Text(); }

std::string AxisValueName(int axis) { return "Axis" + std::to_string(axis) + "IOConfig"; }

std::string DriverKeyPath(ControllerNumber controllerNumber) { return controllerNumber.DriverKeyPath(); }

std::string DriverDeviceName(ControllerNumber controllerNumber) { return controllerNumber.DriverDeviceName(); }
