#include "tests/support/full_disk.h"

#include <windows.h>

#include "controller/profile_file.h"

namespace {

BOOL WINAPI WriteThenCutShort(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path) {
    const BOOL written = WritePrivateProfileStringA(section, key, value, path);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{};
    if (file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size) && size.QuadPart > 40) {
        size.QuadPart -= 40;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return written;
}

}  // namespace

FullDisk::FullDisk() { profileCalls.writeString = WriteThenCutShort; }

FullDisk::~FullDisk() { profileCalls = ProfileCalls{}; }
