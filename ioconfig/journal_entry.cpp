#include "ioconfig/journal_entry.h"

#include "ioconfig/controller_number.h"
#include "ioconfig/store_names.h"
#include "ioconfig/csv_text.h"
#include "ioconfig/json_text.h"

namespace {

std::string StringOrNull(const std::string& text) { return text.empty() ? JsonNull : JsonString(text); }

std::string JsonStrings(const std::vector<std::string>& texts) {
    std::vector<std::string> values;
    for (const std::string& text : texts) values.push_back(JsonString(text));
    return JsonArray(values);
}

bool IsOneOf(const std::string& result, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (result == word) return true;
    return false;
}

}  // namespace

EventLevel LevelOf(const JournalEntry& entry) {
    using namespace JournalResult;
    if (IsOneOf(entry.result, {Verified, Done})) return EventLevel::Information;
    if (IsOneOf(entry.result, {NotChecked, Differs})) return EventLevel::Warning;
    return EventLevel::Error;
}

std::string JournalLine(const JournalEntry& entry) {
    return JsonObject({{"time", JsonString(entry.time)},
                       {"user", JsonString(entry.user)},
                       {"computer", JsonString(entry.computer)},
                       {"program", JsonString(entry.program)},
                       {"controller", JsonNumber(entry.controller.value)},
                       {"command", JsonString(entry.command)},
                       {"source", StringOrNull(entry.source)},
                       {"sha256", StringOrNull(entry.sha256)},
                       {"copy", StringOrNull(entry.copy)},
                       {"result", JsonString(entry.result)},
                       {"reason", StringOrNull(entry.reason)},
                       {"changes", JsonStrings(entry.changes)},
                       {"note", StringOrNull(entry.note)}});
}

std::optional<JournalEntry> ReadJournalLine(const std::string& line) {
    const std::optional<JsonFields> fields = ReadJsonObject(line);
    if (!fields) return std::nullopt;
    JournalEntry entry{fields->Value("time"),    fields->Value("user"),   fields->Value("computer"),
                       fields->Value("program"), {},                       fields->Value("command"),
                       fields->Value("source"),  fields->Value("sha256"), fields->Value("copy"),
                       fields->Value("result"),  fields->Value("reason"), fields->List("changes"),
                       fields->Value("note")};
    const std::optional<ControllerNumber> controller = ParseControllerNumber(fields->Value("controller"));
    if (entry.time.empty() || entry.command.empty() || entry.result.empty() || !controller) return std::nullopt;
    entry.controller = *controller;
    return entry;
}

std::string JournalListLine(const JournalEntry& entry) {
    return entry.time + "  " + entry.user + "  controller " + ControllerNumberText(entry.controller) + "  " +
           entry.command + "  " + entry.result + "  " + entry.source;
}

std::vector<std::string> JournalCsvRows(const std::vector<JournalEntry>& entries) {
    std::vector<std::string> rows{"time,user,controller,command,result,source,copy,reason"};
    for (const JournalEntry& entry : entries)
        rows.push_back(CsvField(entry.time) + "," + CsvField(entry.user) + "," + ControllerNumberText(entry.controller) +
                       "," + entry.command + "," + CsvField(entry.result) + "," + CsvField(entry.source) + "," +
                       CsvField(entry.copy) + "," + CsvField(entry.reason));
    return rows;
}
