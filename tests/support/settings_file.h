// Quillet's settings file, which tests and benchmarks remove so that no run
// sees the controller or folder another one left behind.
#pragma once

#include <string>

// Where Quillet keeps its settings file in this prefix.
std::string SettingsFilePath();
