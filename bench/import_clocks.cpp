#include "bench/import_clocks.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "bench/clock.h"
#include "bench/failure.h"

namespace {

using FileDialogProc = BOOL(WINAPI*)(LPOPENFILENAMEA);
using WriteProfileProc = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);
using GetProfileProc = DWORD(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR);
using GetProcAddressProc = FARPROC(WINAPI*)(HMODULE, LPCSTR);

FileDialogProc systemGetOpenFileName = nullptr;
FileDialogProc systemGetSaveFileName = nullptr;
WriteProfileProc systemWriteProfileString = nullptr;
GetProfileProc systemGetProfileString = nullptr;
GetProcAddressProc systemGetProcAddress = nullptr;

double lastDialogReturn = 0;
ProfileCallTally profileCalls;

BOOL WINAPI ClockedGetOpenFileName(LPOPENFILENAMEA dialog) {
    const BOOL chosen = systemGetOpenFileName(dialog);
    lastDialogReturn = NowMilliseconds();
    return chosen;
}

BOOL WINAPI ClockedGetSaveFileName(LPOPENFILENAMEA dialog) {
    const BOOL chosen = systemGetSaveFileName(dialog);
    lastDialogReturn = NowMilliseconds();
    return chosen;
}

void Tally(double start) {
    ++profileCalls.calls;
    profileCalls.milliseconds += NowMilliseconds() - start;
}

BOOL WINAPI ClockedWriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path) {
    const double start = NowMilliseconds();
    const BOOL written = systemWriteProfileString(section, key, value, path);
    Tally(start);
    return written;
}

DWORD WINAPI ClockedGetProfileString(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR value, DWORD size,
                                     LPCSTR path) {
    const double start = NowMilliseconds();
    const DWORD length = systemGetProfileString(section, key, fallback, value, size, path);
    Tally(start);
    return length;
}

template <typename Proc>
FARPROC AsFarProc(Proc procedure) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(procedure));
}

// Code that binds the file dialogs at run time, rather than importing them,
// is handed the clocked wrappers too.
FARPROC WINAPI ClockingGetProcAddress(HMODULE library, LPCSTR name) {
    const FARPROC found = systemGetProcAddress(library, name);
    if (found != nullptr && found == AsFarProc(systemGetOpenFileName))
        return AsFarProc(ClockedGetOpenFileName);
    if (found != nullptr && found == AsFarProc(systemGetSaveFileName))
        return AsFarProc(ClockedGetSaveFileName);
    return found;
}

template <typename Pointer>
Pointer At(BYTE* base, DWORD offset) {
    return reinterpret_cast<Pointer>(base + offset);
}

// The program's import table slot of library!function, found by name.
FARPROC* FindImportSlot(const char* library, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* headers =
        At<const IMAGE_NT_HEADERS*>(base, reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* descriptor = At<IMAGE_IMPORT_DESCRIPTOR*>(base, imports.VirtualAddress); descriptor->Name != 0;
         ++descriptor) {
        if (lstrcmpiA(At<const char*>(base, descriptor->Name), library) != 0) continue;
        auto* names = At<IMAGE_THUNK_DATA*>(base, descriptor->OriginalFirstThunk);
        auto* slots = At<IMAGE_THUNK_DATA*>(base, descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = At<const IMAGE_IMPORT_BY_NAME*>(base, names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<FARPROC*>(&slots->u1.Function);
        }
    }
    return nullptr;
}

// Points the slot at the wrapper and returns what it held.
template <typename Proc>
Proc Redirect(const char* library, const char* function, Proc wrapper) {
    FARPROC* slot = FindImportSlot(library, function);
    if (slot == nullptr) FailBench(std::string(library) + "!" + function + " is not imported");
    DWORD protection = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        FailBench("cannot write the import table");
    const auto original = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(*slot));
    *slot = AsFarProc(wrapper);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return original;
}

}  // namespace

void ClockFileImports() {
    if (systemGetOpenFileName != nullptr) return;
    systemGetOpenFileName = Redirect("comdlg32.dll", "GetOpenFileNameA", ClockedGetOpenFileName);
    systemGetSaveFileName = Redirect("comdlg32.dll", "GetSaveFileNameA", ClockedGetSaveFileName);
    systemWriteProfileString =
        Redirect("kernel32.dll", "WritePrivateProfileStringA", ClockedWriteProfileString);
    systemGetProfileString = Redirect("kernel32.dll", "GetPrivateProfileStringA", ClockedGetProfileString);
    systemGetProcAddress = Redirect("kernel32.dll", "GetProcAddress", ClockingGetProcAddress);
}

double LastFileDialogReturn() { return lastDialogReturn; }

ProfileCallTally ProfileCallsSoFar() { return profileCalls; }
