#include "ioconfig/json_text.h"

#include <cstdio>
#include <string_view>

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

namespace {

// A reader over one JSON text: each step says whether it found what it
// reads, and moves past it only then.
struct JsonReader {
    const std::string& text;
    size_t at = 0;

    void SkipBlanks() {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n')) ++at;
    }
    bool Take(char c) {
        SkipBlanks();
        if (at >= text.size() || text[at] != c) return false;
        ++at;
        return true;
    }
    std::optional<unsigned> HexUnit() {
        if (at + 4 > text.size()) return std::nullopt;
        unsigned unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text[at++];
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                            : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) return std::nullopt;
            unit = unit * 16 + static_cast<unsigned>(digit);
        }
        return unit;
    }
    static void AppendUtf8(std::string& out, uint32_t point) {
        if (point < 0x80) out += static_cast<char>(point);
        else if (point < 0x800) out += {static_cast<char>(0xC0 | point >> 6), static_cast<char>(0x80 | (point & 0x3F))};
        else if (point < 0x10000)
            out += {static_cast<char>(0xE0 | point >> 12), static_cast<char>(0x80 | (point >> 6 & 0x3F)),
                    static_cast<char>(0x80 | (point & 0x3F))};
        else
            out += {static_cast<char>(0xF0 | point >> 18), static_cast<char>(0x80 | (point >> 12 & 0x3F)),
                    static_cast<char>(0x80 | (point >> 6 & 0x3F)), static_cast<char>(0x80 | (point & 0x3F))};
    }
    std::optional<std::string> String() {
        if (!Take('"')) return std::nullopt;
        std::string out;
        while (at < text.size() && text[at] != '"') {
            const char c = text[at++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at >= text.size()) return std::nullopt;
            const char escaped = text[at++];
            const std::string_view simple = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
            if (const size_t index = simple.find(escaped); index != std::string_view::npos) {
                out += meant[index];
                continue;
            }
            if (escaped != 'u') return std::nullopt;
            std::optional<unsigned> unit = HexUnit();
            if (!unit) return std::nullopt;
            uint32_t point = *unit;
            if (point >= 0xD800 && point < 0xDC00 && text.compare(at, 2, "\\u") == 0) {
                at += 2;
                const std::optional<unsigned> low = HexUnit();
                if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
                point = 0x10000 + ((point - 0xD800) << 10) + (*low - 0xDC00);
            }
            AppendUtf8(out, point);
        }
        if (at >= text.size()) return std::nullopt;
        ++at;
        return out;
    }
    // A number, true, false or null, as written.
    std::optional<std::string> Word() {
        SkipBlanks();
        const size_t start = at;
        while (at < text.size() && std::string_view("+-.0123456789eEtruefalsn").find(text[at]) != std::string_view::npos)
            ++at;
        if (at == start) return std::nullopt;
        return text.substr(start, at - start);
    }
    // Skips any value; true when one was there.
    bool SkipValue() {
        SkipBlanks();
        if (at < text.size() && text[at] == '"') return String().has_value();
        if (Take('[')) return SkipMembers(']', false);
        if (Take('{')) return SkipMembers('}', true);
        return Word().has_value();
    }
    bool SkipMembers(char end, bool named) {
        if (Take(end)) return true;
        do {
            if (named && (!String() || !Take(':'))) return false;
            if (!SkipValue()) return false;
        } while (Take(','));
        return Take(end);
    }
    std::optional<std::vector<std::string>> Strings() {
        const size_t start = at;
        std::vector<std::string> items;
        if (!Take('[')) return std::nullopt;
        if (Take(']')) return items;
        do {
            std::optional<std::string> item = String();
            if (!item) {
                at = start;
                return std::nullopt;
            }
            items.push_back(std::move(*item));
        } while (Take(','));
        if (Take(']')) return items;
        at = start;
        return std::nullopt;
    }
};

// Keeps a member's value when it is a string, a number or a list of
// strings; false when there is no value at all.
bool ReadMember(JsonReader& reader, const std::string& name, JsonFields& fields) {
    reader.SkipBlanks();
    const char first = reader.at < reader.text.size() ? reader.text[reader.at] : '\0';
    if (first == '"') {
        std::optional<std::string> text = reader.String();
        if (text) fields.values.emplace_back(name, std::move(*text));
        return text.has_value();
    }
    if (first == '[') {
        if (std::optional<std::vector<std::string>> list = reader.Strings()) {
            fields.lists.emplace_back(name, std::move(*list));
            return true;
        }
        return reader.SkipValue();
    }
    if (first == '{') return reader.SkipValue();
    const std::optional<std::string> word = reader.Word();
    if (word && (first == '-' || (first >= '0' && first <= '9'))) fields.values.emplace_back(name, *word);
    return word.has_value();
}

}  // namespace

std::string JsonFields::Value(const std::string& name) const {
    for (const auto& [member, value] : values)
        if (member == name) return value;
    return "";
}

std::vector<std::string> JsonFields::List(const std::string& name) const {
    for (const auto& [member, list] : lists)
        if (member == name) return list;
    return {};
}

std::optional<JsonFields> ReadJsonObject(const std::string& json) {
    JsonReader reader{json};
    JsonFields fields;
    if (!reader.Take('{')) return std::nullopt;
    if (!reader.Take('}')) {
        do {
            const std::optional<std::string> name = reader.String();
            if (!name || !reader.Take(':')) return std::nullopt;
            if (!ReadMember(reader, *name, fields)) return std::nullopt;
        } while (reader.Take(','));
        if (!reader.Take('}')) return std::nullopt;
    }
    reader.SkipBlanks();
    if (reader.at != json.size()) return std::nullopt;
    return fields;
}
