#include "tests/support/driver_keys.h"

#include <windows.h>

namespace {

const std::string ServiceKey = "SYSTEM\\CurrentControlSet\\Services\\KXAPI";

}  // namespace

std::string ControllerKey(const std::string& number) { return ServiceKey + "\\Parameters\\" + number; }

// Only the tests' own prefix holds this key, so all of it can go: what is
// below it, then the key itself.
void RemoveDriverKeys() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ServiceKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, ServiceKey.c_str());
}
