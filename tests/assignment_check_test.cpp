#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ioconfig/assignment_check.h"
#include "ioconfig/messages.h"

namespace {

constexpr FindingLevel E = FindingLevel::Error;
constexpr FindingLevel W = FindingLevel::Warning;

struct Slot {
    int axis;
    IoSignal signal;
    uint8_t channel;
};

// An image of `axes` axes, the odd ones servos (axisType 1), every axis
// with its own limit inputs (channels 100 + axis and 120 + axis), then the
// slots given.
IoConfigImage Image(int axes, const std::vector<Slot>& slots) {
    IoConfigImage image;
    SetAxisCount(image, static_cast<uint16_t>(axes));
    for (int axis = 1; axis <= 16; ++axis) {
        AxisIoRecord record = GetAxisRecord(image, axis);
        record.bytes[AxisTypeOffset] = axis % 2 == 1 ? 1 : 0;
        SetAxisRecord(image, axis, record);
        SetChannel(image, axis, IoSignal::PlusLimit, static_cast<uint8_t>(100 + axis));
        SetChannel(image, axis, IoSignal::MinusLimit, static_cast<uint8_t>(120 + axis));
    }
    for (const Slot& slot : slots) SetChannel(image, slot.axis, slot.signal, slot.channel);
    return image;
}

struct Case {
    const char* name;
    IoConfigImage image;
    std::vector<std::pair<FindingLevel, std::string>> findings;
};

std::vector<std::pair<FindingLevel, std::string>> Seen(const std::vector<Finding>& findings) {
    std::vector<std::pair<FindingLevel, std::string>> seen;
    for (const Finding& finding : findings) seen.push_back({finding.level, finding.sentence});
    return seen;
}

}  // namespace

TEST(AssignmentCheck, FindsEachConflictOnceAndNamesEverySignalInvolved) {
    const Case cases[] = {
        {"distinct channels", Image(3, {{1, IoSignal::Enable, 29}, {2, IoSignal::Enable, 30}, {3, IoSignal::Fault, 41}}),
         {}},
        {"channel 0 is no channel", Image(2, {{1, IoSignal::Enable, 0}, {2, IoSignal::Enable, 0}}), {}},
        {"two outputs",
         Image(2, {{1, IoSignal::Enable, 29}, {2, IoSignal::Enable, 29}}),
         {{E, "Output 29 is used by Axis 1 Amp Enable (out) and Axis 2 Drive Enable (out)."}}},
        {"three outputs",
         Image(3, {{1, IoSignal::Direction, 33}, {2, IoSignal::HalfCurrent, 33}, {3, IoSignal::Enable, 33}}),
         {{E, "Output 33 is used by Axis 1 Direction (out), Axis 2 Half Current (out) and Axis 3 Amp Enable (out)."}}},
        {"an input and an output",
         Image(2, {{1, IoSignal::CoarseHome, 12}, {2, IoSignal::Enable, 12}}),
         {{E, "Channel 12 is used as an input by Axis 1 Coarse Home (inp) and as an output by Axis 2 Drive Enable (out)."}}},
        {"two inputs",
         Image(2, {{1, IoSignal::Fault, 41}, {2, IoSignal::Fault, 41}}),
         {{W, "Input 41 is used by Axis 1 Amp Fault (inp) and Axis 2 Drive Fault (inp)."}}},
        {"errors before warnings, channels in order",
         Image(2, {{1, IoSignal::Fault, 9}, {2, IoSignal::Fault, 9}, {1, IoSignal::Enable, 40}, {2, IoSignal::Enable, 40},
                   {2, IoSignal::MinusLimit, 0}, {2, IoSignal::PlusLimit, 0}}),
         {{E, "Output 40 is used by Axis 1 Amp Enable (out) and Axis 2 Drive Enable (out)."},
          {W, "Input 9 is used by Axis 1 Amp Fault (inp) and Axis 2 Drive Fault (inp)."},
          {W, "Axis 2 has no Plus Limit (inp) and no Minus Limit (inp): nothing stops it at either end."}}},
        {"one limit is enough", Image(1, {{1, IoSignal::PlusLimit, 0}}), {}},
        // A servo's byte 21 and a stepper's byte 22 are no signal of theirs.
        {"the kind decides the slots",
         Image(3, {{1, IoSignal::HalfCurrent, 29}, {2, IoSignal::Direction, 29}, {3, IoSignal::Enable, 29}}), {}},
        {"only the records in use",
         Image(2, {{2, IoSignal::Enable, 29}, {3, IoSignal::Enable, 29}, {3, IoSignal::PlusLimit, 0},
                   {3, IoSignal::MinusLimit, 0}}),
         {}},
        {"an axis count past the 16 records",
         Image(0xFFFF, {{16, IoSignal::Enable, 29}, {1, IoSignal::Enable, 29}}),
         {{E, "Output 29 is used by Axis 1 Amp Enable (out) and Axis 16 Drive Enable (out)."}}},
    };
    for (const Case& test : cases) EXPECT_EQ(Seen(CheckAssignments(test.image)), test.findings) << test.name;
}

TEST(AssignmentCheck, KnowingTheControllerAlsoFindsChannelsItDoesNotOfferThatWay) {
    ChannelConfiguration channels;
    channels.channelCount = 48;
    for (int channel = 1; channel <= 48; ++channel)
        channels.flags.push_back(channel <= 24 ? 0x101u : channel <= 40 ? 0x102u : 0x103u);
    channels.flags[44] = 0x3;  // channel 45 not present
    // The limits of Image() are past 48; these axes use channels of the board.
    const IoConfigImage image = Image(2, {{1, IoSignal::PlusLimit, 1}, {1, IoSignal::MinusLimit, 2},
                                          {2, IoSignal::PlusLimit, 3}, {2, IoSignal::MinusLimit, 60},
                                          {1, IoSignal::Enable, 12}, {2, IoSignal::Fault, 30},
                                          {1, IoSignal::Direction, 41}, {2, IoSignal::Enable, 45}});
    EXPECT_EQ(Seen(CheckAssignments(image, channels)),
              (std::vector<std::pair<FindingLevel, std::string>>{
                  {E, "Axis 1 Amp Enable (out) is on channel 12, which the controller does not offer as an output."},
                  {E, "Axis 2 Minus Limit (inp) is on channel 60, past the 48 channels of the controller."},
                  {E, "Axis 2 Drive Fault (inp) is on channel 30, which the controller does not offer as an input."},
                  {E, "Axis 2 Drive Enable (out) is on channel 45, which the controller does not offer as an output."}}));
    EXPECT_EQ(CountFindings(CheckAssignments(image, channels), E), 4);
    EXPECT_EQ(CountFindings(CheckAssignments(image, channels), W), 0);

    // The target's axes count too, ahead of the channels.
    for (const auto& [axes, sentence] : {std::pair{0, "Axis 1 is not an axis of controller 3, which has none."},
                                         std::pair{1, "Axis 2 is not the one axis of controller 3."}}) {
        const std::vector<Finding> found = CheckAssignments(image, TargetController{3, axes, channels});
        EXPECT_EQ(found.front().sentence, sentence);
        EXPECT_EQ(CountFindings(found, E), 6 - axes);
    }

    // Unread, a channel is neither offered nor refused: said as unread.
    channels.flags[29] = 0;
    channels.unreadChannels = {30};
    const std::vector<Finding> unread = CheckAssignments(image, channels);
    EXPECT_EQ(CountFindings(unread, E), 3);
    EXPECT_EQ(unread.back().sentence,
              "Axis 2 Drive Fault (inp) is on channel 30, whose configuration Quillet could not read from the controller.");
}

TEST(AssignmentCheck, TheCountLineAndTheMarksFollowTheFindings) {
    const std::vector<Finding> findings =
        CheckAssignments(Image(2, {{1, IoSignal::Fault, 9}, {2, IoSignal::Fault, 9}, {1, IoSignal::Enable, 40},
                                   {2, IoSignal::Enable, 40}, {2, IoSignal::MinusLimit, 0}, {2, IoSignal::PlusLimit, 0}}));
    EXPECT_EQ(FindingsCountLine(findings), "1 conflict, 2 warnings: Controller > Check Assignments lists them.");
    EXPECT_EQ(FindingsCountLine({findings[1]}), "1 warning: Controller > Check Assignments lists it.");
    EXPECT_EQ(FindingsCountLine({}), "");
    EXPECT_EQ(GravestFindingAt(findings, {2, IoSignal::Enable}), E);
    EXPECT_EQ(GravestFindingAt(findings, {2, IoSignal::PlusLimit}), W);
    EXPECT_EQ(GravestFindingAt(findings, {1, IoSignal::PlusLimit}), std::nullopt);
}
