#include "ioconfig/config_file.h"

// Files come with their own work; until then these do nothing.
void LoadIoConfigFile(HWND) {}
void SaveIoConfigFile(HWND) {}
