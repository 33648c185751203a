// Binding of the two controller libraries at start-up: each is loaded by its
// bare file name and every name of its list must be found in it.
#pragma once

#include <windows.h>

#include "controller/api_entry_point_names.h"
#include "controller/dialog_entry_point_names.h"

constexpr int BindSucceeded = 0;
constexpr int BindLibraryMissing = 29;
constexpr int BindNameMissing = 7;

#define KX_ENTRY_POINT_INDEX(name) EntryPoint_##name,
enum ApiEntryPointIndex { KX_API_ENTRY_POINTS(KX_ENTRY_POINT_INDEX) ApiEntryPointCount };
enum DialogEntryPointIndex { KX_DIALOG_ENTRY_POINTS(KX_ENTRY_POINT_INDEX) DialogEntryPointCount };
#undef KX_ENTRY_POINT_INDEX

static_assert(ApiEntryPointCount == 145);
static_assert(DialogEntryPointCount == 17);

extern const char* const ApiEntryPointNames[ApiEntryPointCount];
extern const char* const DialogEntryPointNames[DialogEntryPointCount];

// One slot per name, in list order; empty until bound, never cleared.
struct ApiEntryPoints {
    FARPROC slots[ApiEntryPointCount];
};
struct DialogEntryPoints {
    FARPROC slots[DialogEntryPointCount];
};
extern ApiEntryPoints apiEntryPoints;
extern DialogEntryPoints dialogEntryPoints;

// Loads fileName and looks names[0..count) up in order into slots. Returns
// BindLibraryMissing, BindNameMissing at the first name not exported (the
// earlier slots stay bound), or BindSucceeded. The library is never freed.
int BindLibrary(const char* fileName, const char* const* names, int count, FARPROC* slots);

int BindApiLibrary();
int BindDialogLibrary();

// The programs run with rights a planted kxapi32.dll must never get: the
// search drops the current folder and otherwise stays the system's standard
// one, the program's own folder first. False when that could not be done;
// the program then must not bind the libraries.
bool RestrictLibrarySearchToProgramFolder();

// The two calls the restriction makes: the real ones, unless a test makes
// one fail.
struct LibrarySearchCalls {
    decltype(&GetModuleFileNameW) getModuleFileName = GetModuleFileNameW;
    decltype(&SetDllDirectoryW) setDllDirectory = SetDllDirectoryW;
};
extern LibrarySearchCalls librarySearch;
