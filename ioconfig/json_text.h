// JSON for the programs that read Quillet's data (PowerShell's
// ConvertFrom-Json, Python's json module): ASCII only, every other
// character as a \uXXXX escape, so that any console code page and any
// reader passes it on whole. Values are built as their JSON text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
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

// The members of a JSON object on one line whose values are strings
// (decoded to UTF-8) or numbers (as written), and the strings of those
// whose values are arrays of strings; others are left out. Nothing when the
// text is no such object.
struct JsonFields {
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::pair<std::string, std::vector<std::string>>> lists;
    std::string Value(const std::string& name) const;
    std::vector<std::string> List(const std::string& name) const;
};
std::optional<JsonFields> ReadJsonObject(const std::string& json);
