// One writer per controller across every program of the machine, Quillet's
// windows and tvxio runs alike, in any session (a remote one included): held
// from the copy of the stored values to the end of the restart request, so
// that no two writers interleave, then released. The read-back after a write
// waits for the restart without it, as it changes nothing; the journal's
// line takes it again, briefly, so that the journal is in the controller's
// order.
#pragma once

#include <cstdint>
#include <string>

#include "controller/system_handles.h"
#include "ioconfig/controller_number.h"

// "Global\Quillet.Controller3": the machine-wide name of controller 3's lock.
std::string ControllerLockName(ControllerNumber controllerNumber);

// Another writer may hold a controller this long before this one gives up.
constexpr uint32_t LongestWaitForWriter = 10000;

class ControllerWriterLock {
public:
    // Waits for the controller's named mutex; Error() tells whether it is held.
    explicit ControllerWriterLock(ControllerNumber controllerNumber);
    ~ControllerWriterLock();
    ControllerWriterLock(const ControllerWriterLock&) = delete;
    ControllerWriterLock& operator=(const ControllerWriterLock&) = delete;

    // 0 when held; ERROR_TIMEOUT when another writer kept it past the wait.
    uint32_t Error() const { return error_; }

private:
    UniqueKernelObject mutex_;
    bool held_ = false;
    uint32_t error_ = 0;
};
