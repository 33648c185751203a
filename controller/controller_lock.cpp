#include "controller/controller_lock.h"

#include <string>

#include "controller/system_error.h"
#include "ioconfig/store_names.h"

std::string ControllerLockName(ControllerNumber controllerNumber) {
    return "Global\\Quillet.Controller" + ControllerNumberText(controllerNumber);
}

ControllerWriterLock::ControllerWriterLock(ControllerNumber controllerNumber)
    : mutex_(CreateMutexA(nullptr, FALSE, ControllerLockName(controllerNumber).c_str())) {
    if (!mutex_.IsOpen()) {
        error_ = LastErrorOr(ERROR_INVALID_HANDLE);
        return;
    }
    // An abandoned mutex was held by a writer that ended: it is free.
    const DWORD waited = WaitForSingleObject(mutex_.Get(), LongestWaitForWriter);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) held_ = true;
    else error_ = waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : LastErrorOr(ERROR_INVALID_HANDLE);
}

ControllerWriterLock::~ControllerWriterLock() {
    if (held_) ReleaseMutex(mutex_.Get());
}
