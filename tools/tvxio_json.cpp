#include "tools/tvxio_json.h"

#include <set>

#include "controller/messages.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/json_text.h"

namespace {

// Raised only when a field changes its meaning or goes away; new fields
// keep it.
constexpr int Schema = 1;

std::string Document(std::vector<JsonMember> members) {
    members.insert(members.begin(), {"schema", JsonNumber(Schema)});
    return JsonObject(members);
}

std::string TextOrNull(const std::string& text) { return text.empty() ? JsonNull : JsonString(text); }

std::string StringsJson(const std::vector<std::string>& texts) {
    std::vector<std::string> strings;
    for (const std::string& text : texts) strings.push_back(JsonString(text));
    return JsonArray(strings);
}

std::string ChannelOrNull(int channel) { return channel == NoChannel ? JsonNull : JsonNumber(channel); }

std::string LabelOf(const ChannelLabels& labels, int channel) {
    const auto found = labels.find(channel);
    return found == labels.end() ? JsonNull : JsonString(found->second);
}

// As the driver names it: 65535 is -1.
std::string ControllerJson(ControllerNumber controller) { return JsonNumber(controller.SettingsValue()); }

std::string KindOrNull(std::optional<AxisKind> kind) { return kind ? JsonString(KindName(*kind)) : JsonNull; }

// As the axis's kind names it ("Amp Enable (out)", "Drive Enable (out)").
const char* LabelOf(const IoConfigImage& image, SignalPlace place) {
    for (const SignalRow& row : SignalsOf(GetAxisKind(GetAxisRecord(image, place.axis))))
        if (row.signal == place.signal) return row.label;
    return "";
}

std::string FindingJson(const IoConfigImage& image, const Finding& finding) {
    std::set<int> channels;
    std::vector<std::string> signals;
    for (const SignalPlace& place : finding.involved) {
        const int channel = GetChannel(image, place.axis, place.signal);
        if (channel != NoChannel) channels.insert(channel);
        signals.push_back(JsonObject({{"axis", JsonNumber(place.axis)},
                                      {"signal", JsonString(LabelOf(image, place))},
                                      {"channel", ChannelOrNull(channel)}}));
    }
    std::vector<std::string> numbers;
    for (int channel : channels) numbers.push_back(JsonNumber(channel));
    return JsonObject({{"severity", JsonString(finding.level == FindingLevel::Error ? "error" : "warning")},
                       {"text", JsonString(finding.sentence)},
                       {"channels", JsonArray(numbers)},
                       {"signals", JsonArray(signals)}});
}

std::string FindingsJson(const IoConfigImage& image, const std::vector<Finding>& findings) {
    std::vector<std::string> listed;
    for (const Finding& finding : findings) listed.push_back(FindingJson(image, finding));
    return JsonArray(listed);
}

// Every difference has the same fields, so that a table of them has one
// column each: a channel's signal, a byte's place, what either side holds.
std::string DifferenceJson(const AssignmentDifference& difference) {
    using Part = AssignmentDifference::Part;
    const bool channel = difference.part == Part::Channel;
    const bool byte = difference.part == Part::Byte;
    const auto side = [&](int value, std::optional<AxisKind> kind) {
        return channel ? ChannelOrNull(value) : byte ? JsonNumber(value) : KindOrNull(kind);
    };
    return JsonObject({{"axis", JsonNumber(difference.axis)},
                       {"what", JsonString(channel ? "channel" : byte ? "byte" : "kind")},
                       {"signal", channel ? JsonString(difference.row->label) : JsonNull},
                       {"byte", byte ? JsonNumber(static_cast<int64_t>(difference.offset)) : JsonNull},
                       {"old", side(difference.before, difference.kindBefore)},
                       {"new", side(difference.after, difference.kindAfter)}});
}

std::string MappedChannelJson(const MappedChannel& channel) {
    std::vector<std::string> signals;
    for (const ChannelUse& use : channel.uses)
        signals.push_back(JsonObject({{"axis", JsonNumber(use.axis)},
                                      {"signal", JsonString(use.row.label)},
                                      {"direction", JsonString(DirectionName(use.row.direction))}}));
    return JsonObject({{"channel", JsonNumber(channel.channel)},
                       {"direction", TextOrNull(OfferedDirection(channel))},
                       {"state", JsonString(StateName(channel.state))},
                       {"signals", JsonArray(signals)},
                       {"label", TextOrNull(channel.label)}});
}

// A step of the write: its result, and the system's code and words when it
// failed.
std::string StepJson(const char* result, uint32_t error) {
    return JsonObject({{"result", JsonString(result)},
                       {"error", JsonNumber(error)},
                       {"reason", error == 0 ? JsonNull : JsonString(SystemErrorText(error))}});
}

const char* ReadBackResult(WriteCheckResult result) {
    switch (result) {
        case WriteCheckResult::Verified: return "verified";
        case WriteCheckResult::Differs: return "differs";
        case WriteCheckResult::CouldNotCheck: return "could not check";
        case WriteCheckResult::NotChecked: break;
    }
    return "not checked";
}

std::string ReadBackJson(const WriteCheck& check) {
    std::vector<std::string> differences;
    for (const std::string& line : check.differences) differences.push_back(JsonString(line));
    return JsonObject({{"result", JsonString(ReadBackResult(check.result))},
                       {"differences", JsonArray(differences)},
                       {"reason", TextOrNull(check.reason)}});
}

}  // namespace

std::string ShowJson(const IoConfigImage& image, const ChannelLabels& labels,
                     const std::vector<std::string>& unreadKeys, std::optional<bool> nothingStored) {
    std::vector<std::string> axes;
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const AxisIoRecord record = GetAxisRecord(image, axis);
        std::vector<std::string> signals;
        for (const SignalRow& row : SignalsOf(GetAxisKind(record))) {
            const int channel = GetChannel(record, row.signal);
            signals.push_back(JsonObject({{"signal", JsonString(row.label)},
                                          {"direction", JsonString(DirectionName(row.direction))},
                                          {"channel", ChannelOrNull(channel)},
                                          {"label", LabelOf(labels, channel)}}));
        }
        axes.push_back(JsonObject({{"axis", JsonNumber(axis)},
                                   {"kind", JsonString(KindName(GetAxisKind(record)))},
                                   {"signals", JsonArray(signals)}}));
    }
    std::vector<JsonMember> members{{"axes", JsonArray(axes)}, {"unreadKeys", StringsJson(unreadKeys)}};
    if (nothingStored) members.push_back({"nothingStored", JsonBool(*nothingStored)});
    return Document(members);
}

std::string CheckJson(const IoConfigImage& image, const std::vector<Finding>& findings,
                      const std::vector<std::string>& unreadKeys) {
    return Document({{"errors", JsonNumber(CountFindings(findings, FindingLevel::Error))},
                     {"warnings", JsonNumber(CountFindings(findings, FindingLevel::Warning))},
                     {"findings", FindingsJson(image, findings)},
                     {"unreadKeys", StringsJson(unreadKeys)}});
}

std::string DiffJson(const IoConfigImage& oldImage, const IoConfigImage& newImage) {
    std::vector<std::string> differences;
    for (const AssignmentDifference& difference : AssignmentDifferences(oldImage, newImage))
        differences.push_back(DifferenceJson(difference));
    return Document({{"differences", JsonArray(differences)}});
}

std::string MapJson(const std::vector<MappedChannel>& map, std::optional<ControllerNumber> controller) {
    std::vector<std::string> channels;
    for (const MappedChannel& channel : map) channels.push_back(MappedChannelJson(channel));
    return Document({{"controller", controller ? ControllerJson(*controller) : JsonNull},
                     {"channels", JsonArray(channels)}});
}

std::string BackupsJson(const std::string& folder, const std::vector<BackupCopy>& copies, int skipped) {
    std::vector<std::string> listed;
    for (const BackupCopy& copy : copies) {
        // A number, as write's controller is, unless the copy says no number.
        const std::optional<ControllerNumber> controller = ParseControllerNumber(copy.controller);
        listed.push_back(JsonObject({{"path", JsonString(copy.path)},
                                     {"controller", controller ? ControllerJson(*controller) : JsonString(copy.controller)},
                                     {"taken", JsonString(copy.taken)},
                                     {"before", TextOrNull(copy.before)},
                                     {"note", TextOrNull(copy.note)},
                                     {"axes", JsonNumber(copy.axes)},
                                     {"damagedKey", TextOrNull(copy.damagedKey)}}));
    }
    return Document({{"folder", JsonString(folder)}, {"copies", JsonArray(listed)}, {"skipped", JsonNumber(skipped)}});
}

std::string WriteJson(const WriteReport& report) {
    const DriverUpdateOutcome outcome = report.outcome.value_or(DriverUpdateOutcome{});
    // Nothing is changed once the lock or the copy failed.
    const bool tried = report.outcome && outcome.lockError == 0 && outcome.copyError == 0;
    const char* stored = !tried ? "not tried" : outcome.storeError != 0 ? "failed" : "stored";
    const char* restarted = !tried ? "not tried" : outcome.restartError != 0 ? "failed" : "requested";
    return Document({{"file", JsonString(report.path)},
                     {"controller", ControllerJson(report.controller)},
                     {"axes", JsonNumber(AxisRecordsInUse(report.image))},
                     {"unchecked", TextOrNull(TargetNotCheckedText(report.controller, report.check.result))},
                     {"findings", FindingsJson(report.image, report.check.findings)},
                     {"copy", tried ? TextOrNull(outcome.copyPath) : JsonNull},
                     {"store", StepJson(stored, outcome.storeError)},
                     {"restart", StepJson(restarted, outcome.restartError)},
                     {"readBack", ReadBackJson(outcome.check)}});
}
