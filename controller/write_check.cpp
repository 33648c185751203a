#include "controller/write_check.h"

#include <windows.h>

#include "controller/controller_io.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/store_names.h"

namespace {

constexpr size_t ListedDifferences = 10;

WriteCheck CouldNotCheck(std::string reason) { return {WriteCheckResult::CouldNotCheck, {}, std::move(reason)}; }

}  // namespace

WriteCheck CheckWrittenRecords(uint16_t controllerNumber, const IoConfigImage& written, WriteCheckWait wait) {
    const std::string controller = "controller " + ControllerNumberText(controllerNumber);
    if (!ControllerCallsBound()) return CouldNotCheck("the controller library kxapi32.dll is not loaded");
    IoConfigImage held;
    ControllerRead read = ReadControllerIoConfig(controllerNumber, held);
    for (unsigned waited = 0; read == ControllerRead::NotOpened && waited < wait.totalMs; waited += wait.intervalMs) {
        if (wait.report) wait.report(waited);
        Sleep(wait.intervalMs);
        read = ReadControllerIoConfig(controllerNumber, held);
    }
    if (read == ControllerRead::NotOpened)
        return CouldNotCheck(controller + " did not open within " + std::to_string(wait.totalMs / 1000) + " seconds");
    if (read == ControllerRead::Failed) return CouldNotCheck("the I/O configuration of " + controller + " could not be read");
    // Only the records written count: the controller may hold more axes.
    SetAxisCount(held, GetAxisCount(written));
    std::vector<std::string> differences = DiffAssignments(written, held, "the written values", controller);
    if (differences.empty()) return {WriteCheckResult::Verified, {}, ""};
    return {WriteCheckResult::Differs, std::move(differences), ""};
}

std::string WriteCheckText(uint16_t controllerNumber, const WriteCheck& check) {
    const std::string controller = "controller " + ControllerNumberText(controllerNumber);
    if (check.result == WriteCheckResult::CouldNotCheck)
        return "Quillet could not check what " + controller + " holds after the write: " + check.reason + ".";
    if (check.result != WriteCheckResult::Differs) return "";
    return WriteDiffersHeading(controllerNumber) + "\n" + ListedAtMost(check.differences, ListedDifferences) + "\n" +
           WriteDiffersClosing;
}

std::string WriteDiffersHeading(uint16_t controllerNumber) {
    return "After the write, controller " + ControllerNumberText(controllerNumber) +
           " does not hold the assignments stored for it (stored -> held):";
}
