// Quillet's image filled with patterned records, as a read of the board
// would leave it, for the tests and benchmarks of the commands that store it.
#pragma once

#include "app/app_state.h"

// All 16 records Patterned(axis, salt), `axisCount` of them in use, and the
// image valid.
void HoldAxes(AppState& state, int axisCount, int salt = 0);
