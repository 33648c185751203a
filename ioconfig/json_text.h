// JSON for the programs that read Quillet's data (PowerShell's
// ConvertFrom-Json, Python's json module): ASCII only, every other
// character as a \uXXXX escape, so that any console code page and any
// reader passes it on whole. Values are built as their JSON text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A string of UTF-8 text, quoted and escaped; a byte that is not part of
// UTF-8 becomes U+FFFD.
std::string JsonString(const std::string& utf8);
std::string JsonNumber(int64_t number);
std::string JsonBool(bool value);
constexpr const char* JsonNull = "null";

struct JsonMember {
    std::string name;
    std::string value;  // JSON text
};

// On one line, members in the order given.
std::string JsonObject(const std::vector<JsonMember>& members);
std::string JsonArray(const std::vector<std::string>& values);
