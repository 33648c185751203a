// The sentences of the pure code that a user reads, in the window, in
// tvxio's output or in the Event Log, each written once. The engine's are
// in controller/messages.h, the window's in app/messages.h and tvxio's own
// in tools/tvxio_messages.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ioconfig/assignment_check.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/journal_entry.h"

// Controllers

// "controller 3", as a sentence names one.
std::string NamedController(ControllerNumber controllerNumber);

// Start-up

enum class ControllerLibrary { Api, Dialogs };

// Shown when the installed controller software is too old: a library that
// cannot be loaded or that lacks one of the required names.
std::string VersionMessageText(ControllerLibrary library);

// The command line, as the scanner reports it when asked to (printf
// formats of the option's letter).
constexpr const char* UnknownOptionFormat = "Unknown option -%c";
constexpr const char* MissingArgumentFormat = "Argument missing for option -%c";

// Check Assignments: the findings' sentences, given the names of the
// signals involved ("Axis 1 Amp Enable (out)", listed "A, B and C").

// "Output 29 is used by Axis 1 Amp Enable (out) and Axis 5 Drive Enable (out)."
std::string SharedOutputText(int channel, const std::string& users);
std::string InputAndOutputText(int channel, const std::string& inputs, const std::string& outputs);
std::string SharedInputText(int channel, const std::string& users);
std::string NoLimitsText(int axis);
// Against the controller: a channel it could not describe, one past its
// channels, one it does not offer for the signal's direction, and an axis
// past its axes ("Axis 12 is not one of the 8 axes of controller 3.").
std::string UnreadChannelUseText(const std::string& signal, int channel);
std::string ChannelPastControllerText(const std::string& signal, int channel, int channelCount);
std::string ChannelNotOfferedText(const std::string& signal, int channel, bool input);
std::string AxisPastControllerText(int axis, int axisCount, ControllerNumber controllerNumber);

// "2 conflicts, 1 warning: Controller > Check Assignments lists them.", the
// counts that are not 0; empty when there are no findings.
std::string FindingsCountLine(const std::vector<Finding>& findings);

// The findings for a box: errors as "Conflict: ...", then warnings as
// "Warning: ...", at most `shown` lines, then "and K more."; "No conflicts
// found." when there are none.
std::string FindingsReport(const std::vector<Finding>& findings, size_t shown);

// Lists cut short: "and K more." after the lines shown.
std::string MoreLinesText(size_t more);
// A message the window shows in lines, on one line, as a terminal's line or
// the journal's reason says it.
std::string OnOneLine(std::string text);

// The I/O map

// The text map's last line without the controller.
constexpr const char* FreeChannelsUnknownLine = "free channels: not known without the controller (board, or -b N)";
// Said of a file whose labels of these channels were longer than
// LongestChannelLabel: "The label of channel 12 is longer than 255
// characters: only its first 255 are kept."
std::string LongLabelsText(const std::vector<int>& channels);

// The journal

// The one text the Windows Event Log gets: controller, user, source,
// result and changes.
std::string JournalEventText(const JournalEntry& entry);
