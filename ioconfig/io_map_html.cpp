// The I/O map as a page to print: inputs and outputs side by side, each
// channel with its signals, its state in words and its label. An error is
// red and says "CONFLICT" or "NOT OFFERED", so that a black-and-white print
// still shows it.
#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

#include "ioconfig/io_map.h"

namespace {

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

constexpr const char* Style =
    "@page{size:A4;margin:12mm}"
    "body{font:9pt sans-serif;margin:0;color:#000}"
    "h1{font-size:13pt;margin:0 0 2pt}"
    "p{margin:0 0 6pt}"
    ".tables{display:flex;gap:6mm;align-items:flex-start}"
    "table{border-collapse:collapse;flex:1}"
    "caption{font-weight:bold;text-align:left;padding-bottom:2pt}"
    "th,td{border:1px solid #888;padding:1pt 3pt;text-align:left;vertical-align:top}"
    "th{background:#eee}"
    "tr.conflict td{background:#fdd;color:#a00;font-weight:bold}"
    "tr.free td,tr.not-offered td{color:#666}";

const char* RowClass(const MappedChannel& channel) {
    if (IsError(channel)) return "conflict";
    switch (channel.state) {
        case ChannelState::Used: return "used";
        case ChannelState::NotOffered: return "not-offered";
        case ChannelState::Conflict:
        case ChannelState::Free: break;
    }
    return "free";
}

std::string StateWords(const MappedChannel& channel) {
    std::string words = StateName(channel.state);
    if (!IsError(channel)) return words;
    std::transform(words.begin(), words.end(), words.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return words;
}

bool UsedAs(const MappedChannel& channel, SignalDirection direction) {
    for (const ChannelUse& use : channel.uses)
        if (use.row.direction == direction) return true;
    return false;
}

std::string Row(const MappedChannel& channel) {
    std::string signals;
    for (const ChannelUse& use : channel.uses) signals += (signals.empty() ? "" : "<br>") + Escaped(UseName(use));
    return std::string("<tr class=\"") + RowClass(channel) + "\"><td>" + std::to_string(channel.channel) +
           "</td><td>" + signals + "</td><td>" + StateWords(channel) + "</td><td>" + Escaped(channel.label) +
           "</td></tr>\n";
}

// A labelled channel without a use that the controller offers in neither
// direction, or that no controller was asked about: listed on its own.
bool LabelledElsewhere(const MappedChannel& channel) {
    return channel.uses.empty() && !channel.label.empty() && !channel.offersInput && !channel.offersOutput;
}

std::string Table(const std::vector<MappedChannel>& map, const char* caption,
                  const std::function<bool(const MappedChannel&)>& lists) {
    std::string table = std::string("<table><caption>") + caption +
                        "</caption>\n<thead><tr><th>Channel</th><th>Signals</th><th>State</th><th>Label</th></tr>"
                        "</thead>\n<tbody>\n";
    for (const MappedChannel& channel : map)
        if (lists(channel)) table += Row(channel);
    return table + "</tbody></table>\n";
}

// A channel used in this direction, or one free that the controller offers
// in it: a two-way channel in use stands only where it is used.
std::string Table(const std::vector<MappedChannel>& map, SignalDirection direction, const char* caption) {
    const bool input = direction == SignalDirection::Input;
    return Table(map, caption, [&](const MappedChannel& channel) {
        return UsedAs(channel, direction) || (channel.uses.empty() && (input ? channel.offersInput : channel.offersOutput));
    });
}

}  // namespace

std::string IoMapHtml(const std::vector<MappedChannel>& map, const IoMapHeading& heading) {
    std::vector<int> notOffered;
    bool labelledElsewhere = false;
    for (const MappedChannel& channel : map) {
        if (channel.state == ChannelState::NotOffered && channel.uses.empty()) notOffered.push_back(channel.channel);
        labelledElsewhere = labelledElsewhere || LabelledElsewhere(channel);
    }
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>I/O map of " +
                       Escaped(heading.source) + "</title>\n<style>" + Style + "</style>\n</head>\n<body>\n" +
                       "<h1>I/O map of " + Escaped(heading.source) + "</h1>\n<p>Controller: " +
                       (heading.controller.empty() ? "not known" : Escaped(heading.controller)) +
                       " &middot; Date: " + Escaped(heading.date) + "</p>\n<div class=\"tables\">\n" +
                       Table(map, SignalDirection::Input, "Inputs") + Table(map, SignalDirection::Output, "Outputs") +
                       "</div>\n";
    if (labelledElsewhere) page += Table(map, "Other labelled channels", LabelledElsewhere);
    if (!notOffered.empty())
        page += "<p>Not offered by the controller: " + ChannelRanges(notOffered) + "</p>\n";
    return page + "</body>\n</html>\n";
}
