// Owners of the file-system handles the engine opens.
#pragma once

#include <windows.h>

#include "controller/unique_handle.h"

// FindFirstFileA's search; INVALID_HANDLE_VALUE when nothing was found.
struct FindKind {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsOpen(Handle search) { return search != INVALID_HANDLE_VALUE; }
    static void Close(Handle search) { FindClose(search); }
};
using UniqueFind = UniqueHandle<FindKind>;
