// The driver's registry key in the test prefix, which tests that store or
// read the driver's values clear before and after.
#pragma once

#include <string>

// "SYSTEM\CurrentControlSet\Services\KXAPI\Parameters\<number>", below
// HKEY_LOCAL_MACHINE.
std::string ControllerKey(const std::string& number);

// Deletes the driver's key with every controller's values under it.
void RemoveDriverKeys();
