#include "controller/write_check.h"

#include <windows.h>

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
    // Only the records written count: the controller may hold more axes.
    SetAxisCount(held, GetAxisCount(written));
    std::vector<std::string> differences = DiffAssignments(written, held, "the written values", NamedController(controllerNumber));
    if (differences.empty()) return {WriteCheckResult::Verified, {}, ""};
    return {WriteCheckResult::Differs, std::move(differences), ""};
}
