#include "app/held_assignments.h"

#include <utility>

#include "app/app_state.h"
#include "app/summary_view.h"
#include "ioconfig/store_names.h"
#include "ioconfig/window_caption.h"

HeldSource ControllerSource(ControllerNumber controllerNumber) {
    return {"Controller " + ControllerNumberText(controllerNumber), "", controllerNumber, {}};
}

HeldSource FileSource(const std::string& path, ChannelLabels labels) {
    return {FileNameOf(path), path, std::nullopt, std::move(labels)};
}

void HoldAssignments(HWND window, AppState& state, const IoConfigImage& image, HeldSource from) {
    state.image = image;
    state.imageValid = true;
    HeldAssignments& held = state.held;
    held.source = std::move(from.name);
    held.sourcePath = std::move(from.path);
    held.labels = std::move(from.labels);
    held.unsaved = false;
    held.readFrom = from.readFrom;
    ShowHeldImage(window, state);
}

void HoldSavedFile(HWND window, AppState& state, const std::string& path) {
    state.held.source = FileNameOf(path);
    state.held.sourcePath = path;
    state.held.unsaved = false;
    ShowCaption(window, state);
}
