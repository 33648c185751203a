#include "app/compare_commands.h"

#include <cctype>

#include "app/app_state.h"
#include "app/menu_commands.h"
#include "app/message_box.h"
#include "controller/controller_io.h"
#include "controller/driver_store.h"
#include "controller/target_check.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/store_names.h"

namespace {

void Inform(HWND window, const std::string& text) { ShowMessageBox(window, text, MB_OK | MB_ICONINFORMATION); }

// The other side is named as the box names it ("controller 0", "the values
// stored for controller 0"), and in short where a change goes from it to
// the window.
void ShowComparison(HWND window, const AppState& state, const IoConfigImage& other, const std::string& otherName,
                    const char* side) {
    Inform(window, ComparisonText(otherName, side, DiffAssignments(other, state.image, otherName, "the window")));
}

}  // namespace

std::string CheckedAgainstText(uint16_t controllerNumber, TargetCheckResult result) {
    if (result == TargetCheckResult::Checked) return "Checked against controller " + ControllerNumberText(controllerNumber) + ".";
    std::string text = TargetNotCheckedText(controllerNumber, result) + ".";
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string ComparisonText(const std::string& other, const char* side, const std::vector<std::string>& differences) {
    if (differences.empty()) return "The window and " + other + " hold the same assignments.";
    return "The window's assignments differ from " + other + " (" + side + " -> window):\n" +
           ListedAtMost(differences, ListedInBox);
}

// Against the selected controller, as Write checks them, when it opens.
void ShowAssignmentCheck(HWND window, const AppState& state) {
    if (!state.imageValid) return;
    const uint16_t controller = ControllerNumber(state);
    const TargetCheck check = CheckAgainstTarget(controller, state.image);
    Inform(window, FindingsReport(check.findings, ListedInBox) + "\n\n" + CheckedAgainstText(controller, check.result));
}

// Read into an image of its own: the window keeps what it holds.
void CompareWithController(HWND window, const AppState& state) {
    if (!state.imageValid) return;
    const uint16_t controller = ControllerNumber(state);
    IoConfigImage held;
    switch (ReadControllerIoConfig(controller, held)) {
        case ControllerRead::NotOpened: return Warn(window, OpenFailureText(controller));
        case ControllerRead::Failed: return Warn(window, ReadFailureText(controller));
        case ControllerRead::Read: break;
    }
    ShowComparison(window, state, held, "controller " + ControllerNumberText(controller), "controller");
}

void CompareWithStoredValues(HWND window, const AppState& state) {
    if (!state.imageValid) return;
    const uint16_t controller = ControllerNumber(state);
    const StoredIoConfig stored = ReadStoredIoConfig(controller);
    if (!stored.refusedValue.empty())
        return Warn(window, "Quillet could not compare: " + RefusedStoredValueText(controller, stored.refusedValue) + ".");
    ShowComparison(window, state, stored.image, "the values stored for controller " + ControllerNumberText(controller),
                   "stored");
}
