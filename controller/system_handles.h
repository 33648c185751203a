// Owners of the system handles the engine opens: searches, files, and
// kernel objects.
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

// CreateFileA's file; INVALID_HANDLE_VALUE when it could not be opened.
struct FileKind {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsOpen(Handle file) { return file != INVALID_HANDLE_VALUE; }
    static void Close(Handle file) { CloseHandle(file); }
};
using UniqueFile = UniqueHandle<FileKind>;

// A kernel object's handle, such as a mutex; null when there is none.
struct KernelObjectKind {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsOpen(Handle object) { return object != nullptr; }
    static void Close(Handle object) { CloseHandle(object); }
};
using UniqueKernelObject = UniqueHandle<KernelObjectKind>;
