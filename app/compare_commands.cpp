#include "app/compare_commands.h"

#include <string>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "controller/controller_io.h"
#include "controller/driver_store.h"
#include "controller/messages.h"
#include "controller/target_check.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/messages.h"

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

// Against the selected controller, as Write checks them, when it opens.
void ShowAssignmentCheck(HWND window, const AppState& state) {
    if (!state.imageValid) return;
    const ControllerNumber controller = SelectedController(state);
    const TargetCheck check = CheckAgainstTarget(controller, state.image);
    Inform(window, FindingsReport(check.findings, ListedInBox) + "\n\n" + CheckedAgainstText(controller, check.result));
}

// Read into an image of its own: the window keeps what it holds.
void CompareWithController(HWND window, const AppState& state) {
    if (!state.imageValid) return;
    const ControllerNumber controller = SelectedController(state);
    IoConfigImage held;
    switch (ReadControllerIoConfig(controller, held)) {
        case ControllerRead::NotOpened: return Warn(window, OpenFailureText(controller));
        case ControllerRead::Failed: return Warn(window, ReadFailureText(controller));
        case ControllerRead::Read: break;
    }
    ShowComparison(window, state, held, NamedController(controller), "controller");
}

void CompareWithStoredValues(HWND window, const AppState& state) {
    if (!state.imageValid) return;
    const ControllerNumber controller = SelectedController(state);
    const StoredIoConfig stored = ReadStoredIoConfig(controller);
    if (!stored.refusedValue.empty())
        return Warn(window, UncomparableText(controller, stored.refusedValue));
    ShowComparison(window, state, stored.image, StoredValuesName(controller), "stored");
}
