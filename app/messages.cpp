#include "app/messages.h"

#include <windows.h>
#include <commdlg.h>

#include <cctype>
#include <cstdio>

#include "app/app_state.h"
#include "app/compare_commands.h"
#include "controller/messages.h"
#include "controller/quillet_settings.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/counted_words.h"
#include "ioconfig/messages.h"
#include "ioconfig/store_names.h"

namespace {

// "Quillet could not open controller N", which a box says alone and a
// question before a write goes on from.
std::string CouldNotOpen(ControllerNumber controllerNumber) {
    return "Quillet could not open " + NamedController(controllerNumber);
}

// Said of what a load refused: the window holds what it held.
constexpr const char* NotChanged = "\nThe I/O configuration was not changed.";

}  // namespace

// The window

std::string TargetText(const AppState& state) { return "Controller " + SelectedController(state).Text(); }

std::string NoAxesText(const std::string& what) { return "The window holds no axes: there is " + what + "."; }

// Start-up

const std::string LibrarySearchFailureText = std::string("Quillet did not start: it could not ") + LibrarySearchFailure + ".";

std::string SystemLibraryFailureText(const char* library) { return std::string("Quillet could not load ") + library + "."; }

// Files

std::string DamagedValueText(const std::string& path, const std::string& key) {
    return "Quillet did not load the file\n" + path + "\nbecause the value of " + key + " is damaged." + NotChanged;
}

std::string NoRecordsText(const std::string& path, const std::string& key) {
    return "Quillet did not load the file\n" + path + "\nbecause it holds no " + key + " value." + NotChanged;
}

std::string FolderNotFileText(const std::string& path) {
    return "Quillet did not load\n" + path + "\nbecause it is a folder." + NotChanged;
}

std::string UnreadableFileText(const std::string& path, uint32_t error) {
    return "Quillet could not read the file\n" + path + ":\n" + SystemErrorText(error) + NotChanged;
}

std::string SaveFailureText(const std::string& path, uint32_t error, const std::string& differingKey) {
    return "Quillet could not save the I/O configuration to the file\n" + path + "\n" +
           WholeFileFailureText(error, differingKey);
}

std::string FileDialogFailureText(uint32_t dialogError) {
    if (dialogError == FNERR_BUFFERTOOSMALL)
        return "Quillet could not use the file chosen: its path is longer than " +
               std::to_string(PathFieldSize - 1) + " characters.";
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(dialogError));
    return std::string("The file dialog failed (common dialog error ") + code + ").";
}

std::string NothingToSaveText() { return NoAxesText("nothing to save"); }

std::string ClipboardFailureText(uint32_t error) {
    return "Quillet could not put the summary on the clipboard.\n" + SystemErrorText(error);
}

std::string MapSaveFailureText(const std::string& path, uint32_t error) {
    return "Quillet could not save the I/O map to the file\n" + path + "\n" + SystemErrorText(error);
}

std::string MapSavedText(const std::string& path) { return "Saved the I/O map to " + path + "."; }

// Read I/O and Controller Info

std::string ReadFailureText(ControllerNumber controllerNumber) {
    return "Quillet could not read the I/O configuration of " + NamedController(controllerNumber) +
           ".\nThe summary was not changed.";
}

std::string OpenFailureText(ControllerNumber controllerNumber) { return CouldNotOpen(controllerNumber) + "."; }

// Check Assignments and the comparisons

std::string CheckedAgainstText(ControllerNumber controllerNumber, TargetCheckResult result) {
    if (result == TargetCheckResult::Checked) return "Checked against " + NamedController(controllerNumber) + ".";
    std::string text = TargetNotCheckedText(controllerNumber, result) + ".";
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string ComparisonText(const std::string& other, const char* side, const std::vector<std::string>& differences) {
    if (differences.empty()) return "The window and " + other + " hold the same assignments.";
    return "The window's assignments differ from " + other + " (" + side + " -> window):\n" +
           ListedAtMost(differences, ListedInBox);
}

std::string UncomparableText(ControllerNumber controllerNumber, const std::string& refusedValue) {
    return "Quillet could not compare: " + RefusedStoredValueText(controllerNumber, refusedValue) + ".";
}

// Write and Reset

namespace {

constexpr size_t ListedConflicts = 10;

std::string ControllerLine(ControllerNumber controllerNumber) {
    return "\n " + NamedController(controllerNumber) + ". This may take up to 30 seconds.";
}

}  // namespace

std::string WriteConfirmationText(ControllerNumber controllerNumber, std::optional<ControllerNumber> readFrom) {
    std::string text = "Quillet will now update the settings and restart" + ControllerLine(controllerNumber);
    if (readFrom && *readFrom != controllerNumber)
        text += "\n\nThe assignments shown were read from " + NamedController(*readFrom) + ".";
    return text;
}

std::string ResetConfirmationText(ControllerNumber controllerNumber) {
    return "Quillet will now reset the settings and restart" + ControllerLine(controllerNumber);
}

std::string ConflictQuestionText(ControllerNumber controllerNumber, const std::vector<std::string>& errors) {
    return "The assignments for " + NamedController(controllerNumber) + " have conflicts:\n" +
           ListedAtMost(errors, ListedConflicts) + "\n\nWrite them to the controller anyway?";
}

std::string UncheckedTargetQuestionText(ControllerNumber controllerNumber, TargetCheckResult result) {
    const std::string couldNot =
        result == TargetCheckResult::NotOpened ? CouldNotOpen(controllerNumber)
        : result == TargetCheckResult::NotRead ? "Quillet could not read the configuration of " + NamedController(controllerNumber)
                                               : "Quillet could not load kxapi32.dll";
    return couldNot + " to check the assignments against it. Write them anyway?";
}

std::string NothingToWriteText(ControllerNumber controllerNumber) {
    return NoAxesText("nothing to write to " + NamedController(controllerNumber));
}

std::string DriverProgressText(bool writing, ControllerNumber controllerNumber, unsigned seconds, bool waiting,
                               bool closing) {
    const std::string controller = NamedController(controllerNumber);
    std::string text = writing ? "Writing to " + controller : "Resetting " + controller;
    if (waiting) text += ": waiting for it to restart";
    text += " (" + std::to_string(seconds) + " s)";
    if (closing) text += std::string("; Quillet will close when the ") + (writing ? "write" : "reset") + " has ended.";
    return text;
}

// The editor

std::string ChannelConfigurationFailureText(ControllerNumber controllerNumber) {
    return "Quillet could not read the channel configuration of " + NamedController(controllerNumber) + ".";
}

std::string UnreadChannelsText(ControllerNumber controllerNumber, int unread) {
    return "Quillet could not read " + Counted(unread, "channel", "channels") + " of " +
           NamedController(controllerNumber) + ".\nThe editor does not offer " + (unread == 1 ? "it." : "them.");
}
