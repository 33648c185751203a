#include "controller/journal.h"

#include <sddl.h>

#include <cstdio>
#include <memory>

#include "controller/system_error.h"
#include "controller/system_handles.h"

CreateFolderCall createJournalFolder = CreateDirectoryA;

namespace {

// The folders above it as they are; the journal's own with its access list.
uint32_t CreateJournalFolder(const std::string& folder) {
    for (size_t end = folder.find('\\', 3); end != std::string::npos; end = folder.find('\\', end + 1))
        CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(JournalFolderAccess, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return LastErrorOr(ERROR_INVALID_SECURITY_DESCR);
    const std::unique_ptr<void, decltype(&LocalFree)> owned(descriptor, LocalFree);
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    if (createJournalFolder(folder.c_str(), &security) || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    return LastErrorOr(ERROR_PATH_NOT_FOUND);
}

std::string TokenUserName() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return "";
    const UniqueKernelObject owned(token);
    char buffer[512];
    DWORD size = sizeof buffer;
    if (!GetTokenInformation(token, TokenUser, buffer, size, &size)) return "";
    char name[256], domain[256];
    DWORD nameSize = sizeof name, domainSize = sizeof domain;
    SID_NAME_USE use;
    if (!LookupAccountSidA(nullptr, reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, name, &nameSize, domain,
                           &domainSize, &use))
        return "";
    return std::string(domain) + "\\" + name;
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? name : "";
}

// As 2026-12-09T16:30:05+01:00.
std::string LocalTimeWithOffset() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    TIME_ZONE_INFORMATION zone;
    LONG bias = 0;
    switch (GetTimeZoneInformation(&zone)) {
        case TIME_ZONE_ID_STANDARD: bias = zone.Bias + zone.StandardBias; break;
        case TIME_ZONE_ID_DAYLIGHT: bias = zone.Bias + zone.DaylightBias; break;
        default: bias = zone.Bias; break;
    }
    const LONG offset = -bias;
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02ld:%02ld", now.wYear % 10000u,
                  now.wMonth % 100u, now.wDay % 100u, now.wHour % 100u, now.wMinute % 100u, now.wSecond % 100u,
                  offset < 0 ? '-' : '+', (offset < 0 ? -offset : offset) / 60 % 100, (offset < 0 ? -offset : offset) % 60);
    return text;
}

}  // namespace

std::string JournalFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("ProgramData", folder, sizeof folder);
    return (length > 0 && length < sizeof folder ? std::string(folder) : std::string("C:\\ProgramData")) + "\\Quillet";
}

std::string JournalPath() { return JournalFolder() + "\\journal.jsonl"; }

void StampJournalEntry(JournalEntry& entry) {
    entry.time = LocalTimeWithOffset();
    entry.user = TokenUserName();
    entry.computer = ComputerName();
}

uint32_t AppendToJournal(const JournalEntry& entry) {
    if (const uint32_t error = CreateJournalFolder(JournalFolder())) return error;
    const UniqueFile file(CreateFileA(JournalPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return LastErrorOr(ERROR_OPEN_FAILED);
    const std::string line = JournalLine(entry) + "\n";
    DWORD written = 0;
    if (!WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr))
        return LastErrorOr(ERROR_WRITE_FAULT);
    if (written != line.size()) return ERROR_WRITE_FAULT;
    return FlushFileBuffers(file.Get()) ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

std::vector<JournalEntry> ReadJournal(uint32_t& error, int& skipped) {
    std::vector<JournalEntry> entries;
    error = 0;
    skipped = 0;
    const UniqueFile file(CreateFileA(JournalPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        error = LastErrorOr(ERROR_OPEN_FAILED);
        return entries;
    }
    std::string text;
    char buffer[65536];
    for (DWORD count = 0; ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr) && count > 0;)
        text.append(buffer, count);
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) {
            if (std::optional<JournalEntry> entry = ReadJournalLine(line)) entries.push_back(std::move(*entry));
            else ++skipped;
        }
        start = end + 1;
    }
    return entries;
}
