// The one function behind every exported name the simulation does not model.
// Quillet only checks that these names exist; it never calls them.
#include <windows.h>

#include <cstdint>

extern "C" int32_t WINAPI SimUnimplementedEntryPoint()
{
    return 0;
}
