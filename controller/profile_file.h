// Keys of an INI file through the profile functions, for the files Quillet
// writes and reads: .tvxio files and the copies of stored values.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The profile call that writes: the real one, unless a test makes it cut
// the file short as a full disk does, while still reporting success.
struct ProfileCalls {
    decltype(&WritePrivateProfileStringA) writeString = WritePrivateProfileStringA;
};
extern ProfileCalls profileCalls;

// Sets the key, or removes it when value is null. Returns 0 or the system's
// error code.
uint32_t WriteProfileValue(const std::string& path, const char* section, const std::string& key, const char* value);

// Values longer than this are not read whole; no value Quillet writes comes
// near it.
constexpr size_t LongestProfileValue = 4094;

// The key's value, empty when the key is missing or holds nothing; without
// the blanks at its ends, as the profile functions hand it back.
std::string ReadProfileValue(const std::string& path, const char* section, const std::string& key);

// The key names of the section, in the file's order.
std::vector<std::string> SectionKeys(const std::string& path, const char* section);
// The file's section names, in its order.
std::vector<std::string> SectionNames(const std::string& path);
bool HasKey(const std::vector<std::string>& keys, const std::string& key);

// One key and the value written to it.
struct ProfileEntry {
    const char* section;
    std::string key;
    std::string value;
};

// Writes the entries in order; stops at the first that fails.
uint32_t WriteProfileEntries(const std::string& path, const std::vector<ProfileEntry>& entries);
// The key of the first entry that does not read back as it was written (but
// for the blank the profile functions drop at its end and the quotes they
// take off a value that is quoted), nothing when every entry does.
std::optional<std::string> FirstEntryNotReadBack(const std::string& path, const std::vector<ProfileEntry>& entries);
