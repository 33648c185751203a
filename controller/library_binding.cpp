#include "controller/library_binding.h"

#include <string>

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

LibrarySearchCalls librarySearch;

bool RestrictLibrarySearchToProgramFolder() {
    // Wide calls, so that a program path of any length fits.
    std::wstring programPath(32768, L'\0');
    const DWORD length =
        librarySearch.getModuleFileName(nullptr, programPath.data(), static_cast<DWORD>(programPath.size()));
    if (length == 0 || length >= programPath.size()) return false;
    programPath.resize(length);
    const size_t folderEnd = programPath.find_last_of(L'\\');
    if (folderEnd == std::wstring::npos) return false;
    programPath.erase(folderEnd + 1);
    return librarySearch.setDllDirectory(programPath.c_str()) != FALSE;
}
