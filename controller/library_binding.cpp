#include "controller/library_binding.h"

#define KX_ENTRY_POINT_NAME(name) #name,
const char* const ApiEntryPointNames[ApiEntryPointCount] = {
    KX_API_ENTRY_POINTS(KX_ENTRY_POINT_NAME)};
const char* const DialogEntryPointNames[DialogEntryPointCount] = {
    KX_DIALOG_ENTRY_POINTS(KX_ENTRY_POINT_NAME)};
#undef KX_ENTRY_POINT_NAME

ApiEntryPoints apiEntryPoints{};
DialogEntryPoints dialogEntryPoints{};

int BindLibrary(const char* fileName, const char* const* names, int count, FARPROC* slots) {
    HMODULE library = LoadLibraryA(fileName);
    if (library == nullptr) return BindLibraryMissing;
    for (int i = 0; i < count; ++i) {
        slots[i] = GetProcAddress(library, names[i]);
        if (slots[i] == nullptr) return BindNameMissing;
    }
    return BindSucceeded;
}

int BindApiLibrary() {
    return BindLibrary("kxapi32.dll", ApiEntryPointNames, ApiEntryPointCount,
                       apiEntryPoints.slots);
}

int BindDialogLibrary() {
    return BindLibrary("kxdlg32.dll", DialogEntryPointNames, DialogEntryPointCount,
                       dialogEntryPoints.slots);
}
