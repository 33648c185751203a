#include "ioconfig/json_text.h"

#include <cstdio>

namespace {

constexpr uint32_t Replacement = 0xFFFD;

// The code point starting at text[at], and how many bytes it takes; a
// byte that starts no well-formed sequence is one replacement character.
uint32_t NextCodePoint(const std::string& text, size_t at, size_t& length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    length = 1;
    if (lead < 0x80) return lead;
    const size_t extra = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : 0;
    if (extra == 0 || at + extra >= text.size()) return Replacement;
    uint32_t point = lead & (0x3F >> extra);
    for (size_t i = 1; i <= extra; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return Replacement;
        point = point << 6 | (byte(at + i) & 0x3F);
    }
    const uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (point < smallest[extra] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return Replacement;
    length = extra + 1;
    return point;
}

std::string Escaped(uint32_t unit) {
    char text[8];
    std::snprintf(text, sizeof text, "\\u%04x", static_cast<unsigned>(unit));
    return text;
}

}  // namespace

std::string JsonString(const std::string& utf8) {
    std::string json = "\"";
    for (size_t at = 0, length = 0; at < utf8.size(); at += length) {
        const uint32_t point = NextCodePoint(utf8, at, length);
        if (point == '"' || point == '\\') json += std::string("\\") + static_cast<char>(point);
        else if (point == '\n') json += "\\n";
        else if (point == '\r') json += "\\r";
        else if (point == '\t') json += "\\t";
        else if (point >= 0x20 && point < 0x7F) json += static_cast<char>(point);
        else if (point < 0x10000) json += Escaped(point);
        else json += Escaped(0xD800 + ((point - 0x10000) >> 10)) + Escaped(0xDC00 + ((point - 0x10000) & 0x3FF));
    }
    return json + "\"";
}

std::string JsonNumber(int64_t number) { return std::to_string(number); }

std::string JsonBool(bool value) { return value ? "true" : "false"; }

std::string JsonObject(const std::vector<JsonMember>& members) {
    std::string json = "{";
    for (const JsonMember& member : members) {
        if (json.size() > 1) json += ", ";
        json += JsonString(member.name) + ": " + member.value;
    }
    return json + "}";
}

std::string JsonArray(const std::vector<std::string>& values) {
    std::string json = "[";
    for (const std::string& value : values) {
        if (json.size() > 1) json += ", ";
        json += value;
    }
    return json + "]";
}
