// An entry point of a system library that Quillet does not import, so that
// loading the library costs nothing until it is needed.
#pragma once

#include <windows.h>

// The library is loaded on first use, when no one has loaded it yet, and
// stays loaded for the rest of the run. Null when either is missing.
template <typename Proc>
Proc SystemProcedure(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr) module = LoadLibraryA(library);
    if (module == nullptr) return nullptr;
    // Through a plain function pointer type, so the cast says what it means.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
