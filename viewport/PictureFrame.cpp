#include "viewport/PictureFrame.h"

#include <algorithm>
#include <limits>

#include "viewport/DiagramBounds.h"

namespace zorvex {
namespace {

constexpr int32_t WindowRight = 639;
constexpr int32_t WindowBottom = 479;

int32_t lessMargin(int32_t edge) {
  return static_cast<int32_t>(
      std::max<int64_t>(int64_t{edge} - PictureFrameMargin, std::numeric_limits<int32_t>::min()));
}

}  // namespace

Rect pictureFrame(const Diagram& d) {
  Rect frame{0, 0, WindowRight, WindowBottom};
  const std::optional<Rect> drawn = drawnBounds(d);
  if (!drawn) return frame;
  if (drawn->Left < 0) frame.Left = lessMargin(drawn->Left);
  if (drawn->Top < 0) frame.Top = lessMargin(drawn->Top);
  frame.Right = std::max(frame.Right, drawn->Right);
  frame.Bottom = std::max(frame.Bottom, drawn->Bottom);
  return frame;
}

ViewRect picturePixels(const Rect& frame, int step) {
  ViewTransform view;
  view.zoomTo(step, {});
  return view.toView(frame);
}

PictureSize pictureSize(const Rect& frame, int step) {
  const ViewRect pixels = picturePixels(frame, step);
  return {pixels.right - pixels.left + 1, pixels.bottom - pixels.top + 1};
}

std::optional<int> largestPictureStep(const Rect& frame, int64_t maxSide) {
  for (int step = ViewTransform::ActualSizeStep; step >= 0; --step) {
    const PictureSize size = pictureSize(frame, step);
    if (size.width <= maxSide && size.height <= maxSide) return step;
  }
  return std::nullopt;
}

std::string scaledDownNote(int step, const PictureSize& fullSize) {
  return std::string("Picture drawn at ") + zoomLabel(step) + ": at " + zoomLabel(ViewTransform::ActualSizeStep) +
         " it would be " + std::to_string(fullSize.width) + " x " + std::to_string(fullSize.height) + " pixels";
}

}  // namespace zorvex
