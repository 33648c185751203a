// Before a write: the assignments checked against the controller they go
// to, which is opened once and asked for its axes and its channels. The
// window's Write and Check Assignments and tvxio's write and check share it.
#pragma once

#include <cstdint>
#include <vector>

#include "ioconfig/assignment_check.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"

enum class TargetCheckResult { Checked, NotOpened, NotRead, NoLibrary };

struct TargetCheck {
    TargetCheckResult result = TargetCheckResult::NotOpened;
    // Against the controller when checked; otherwise the image on its own.
    std::vector<Finding> findings;
};

// Opens the controller, reads its axis count from its I/O configuration
// area, its channel count and each channel's flags, and closes it.
TargetCheck CheckAgainstTarget(ControllerNumber controllerNumber, const IoConfigImage& image);
