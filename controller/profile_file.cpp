#include "controller/profile_file.h"

#include "controller/system_error.h"

ProfileCalls profileCalls;

uint32_t WriteProfileValue(const std::string& path, const char* section, const std::string& key, const char* value) {
    if (profileCalls.writeString(section, key.c_str(), value, path.c_str())) return 0;
    return LastErrorOr(ERROR_WRITE_FAULT);
}

std::string ReadProfileValue(const std::string& path, const char* section, const std::string& key) {
    std::string value(LongestProfileValue + 2, '\0');
    const DWORD length = GetPrivateProfileStringA(section, key.c_str(), "", value.data(),
                                                  static_cast<DWORD>(value.size()), path.c_str());
    value.resize(length);
    return value;
}

std::vector<std::string> SectionKeys(const std::string& path, const char* section) {
    std::vector<char> names(32768);
    const DWORD length =
        GetPrivateProfileStringA(section, nullptr, "", names.data(), static_cast<DWORD>(names.size()), path.c_str());
    std::vector<std::string> keys;
    for (DWORD at = 0; at < length && names[at] != '\0';) {
        keys.emplace_back(names.data() + at);
        at += static_cast<DWORD>(keys.back().size()) + 1;
    }
    return keys;
}

// Asked for the keys of no section, the profile functions list the sections.
std::vector<std::string> SectionNames(const std::string& path) { return SectionKeys(path, nullptr); }

bool HasKey(const std::vector<std::string>& keys, const std::string& key) {
    for (const std::string& name : keys)
        if (lstrcmpiA(name.c_str(), key.c_str()) == 0) return true;
    return false;
}

uint32_t WriteProfileEntries(const std::string& path, const std::vector<ProfileEntry>& entries) {
    for (const ProfileEntry& entry : entries)
        if (const uint32_t error = WriteProfileValue(path, entry.section, entry.key, entry.value.c_str())) return error;
    return 0;
}

std::optional<std::string> FirstEntryNotReadBack(const std::string& path, const std::vector<ProfileEntry>& entries) {
    for (const ProfileEntry& entry : entries) {
        std::string written = entry.value;
        while (!written.empty() && written.back() == ' ') written.pop_back();
        if (written.size() >= 2 && written.front() == '"' && written.back() == '"') written = written.substr(1, written.size() - 2);
        if (ReadProfileValue(path, entry.section, entry.key) != written) return entry.key;
    }
    return std::nullopt;
}
