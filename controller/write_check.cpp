#include "controller/write_check.h"

#include <windows.h>

#include <algorithm>

#include "controller/controller_io.h"
#include "controller/messages.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/messages.h"

namespace {

WriteCheck CouldNotCheck(std::string reason) { return {WriteCheckResult::CouldNotCheck, {}, std::move(reason)}; }

}  // namespace

WriteCheck CheckWrittenRecords(ControllerNumber controllerNumber, const IoConfigImage& written, WriteCheckWait wait) {
    if (!ControllerCallsBound()) return CouldNotCheck(LibraryNotLoaded);
    IoConfigImage held;
    ControllerRead read = ReadControllerIoConfig(controllerNumber, held);
    for (unsigned waited = 0; read == ControllerRead::NotOpened && waited < wait.totalMs; waited += wait.intervalMs) {
        if (wait.report) wait.report(waited);
        Sleep(wait.intervalMs);
        read = ReadControllerIoConfig(controllerNumber, held);
    }
    if (read == ControllerRead::NotOpened) return CouldNotCheck(NotOpenedWithinText(controllerNumber, wait.totalMs / 1000));
    if (read == ControllerRead::Failed) return CouldNotCheck(NotReadBackText(controllerNumber));
    // The records written count, each of them: an axis written that the
    // controller does not have is one it does not hold. Axes it has past
    // those written keep their defaults.
    const int writtenAxes = AxisRecordsInUse(written);
    const int comparedAxes = std::min(writtenAxes, AxisRecordsInUse(held));
    IoConfigImage compared = written;
    SetAxisCount(compared, static_cast<uint16_t>(comparedAxes));
    SetAxisCount(held, static_cast<uint16_t>(comparedAxes));
    std::vector<std::string> differences = DiffAssignments(compared, held, "the written values", NamedController(controllerNumber));
    for (int axis = comparedAxes + 1; axis <= writtenAxes; ++axis)
        differences.push_back(AxisNotHeldText(axis, controllerNumber));
    if (differences.empty()) return {WriteCheckResult::Verified, {}, ""};
    return {WriteCheckResult::Differs, std::move(differences), ""};
}
