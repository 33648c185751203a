#include "controller/target_check.h"

#include <optional>

#include "controller/controller_io.h"

namespace {

// Nothing when the controller cannot be opened or cannot describe itself.
std::optional<TargetController> DescribeTarget(ControllerNumber controllerNumber, TargetCheckResult& result) {
    const UniqueController controller = OpenController(controllerNumber);
    result = TargetCheckResult::NotOpened;
    if (!controller.IsOpen()) return std::nullopt;
    result = TargetCheckResult::NotRead;
    IoConfigImage area;
    if (krxgetramex(controller.Get(), IoConfigAreaAddress, ImageBytes(area), IoConfigAreaSize) < 0) return std::nullopt;
    const std::optional<int32_t> channelCount = QueryChannelCount(controller.Get());
    if (!channelCount) return std::nullopt;
    result = TargetCheckResult::Checked;
    return TargetController{controllerNumber, GetAxisCount(area), ReadChannelFlags(controller.Get(), *channelCount)};
}

}  // namespace

TargetCheck CheckAgainstTarget(ControllerNumber controllerNumber, const IoConfigImage& image) {
    if (!ControllerCallsBound()) return {TargetCheckResult::NoLibrary, CheckAssignments(image)};
    TargetCheckResult result = TargetCheckResult::NotOpened;
    const std::optional<TargetController> target = DescribeTarget(controllerNumber, result);
    return {result, target ? CheckAssignments(image, *target) : CheckAssignments(image)};
}
