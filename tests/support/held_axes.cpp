#include "tests/support/held_axes.h"

#include "tests/support/axis_records.h"

void HoldAxes(AppState& state, int axisCount, int salt) {
    for (int axis = 1; axis <= MaxAxisRecords; ++axis) SetAxisRecord(state.image, axis, Patterned(axis, salt));
    SetAxisCount(state.image, static_cast<uint16_t>(axisCount));
    state.imageValid = true;
}
