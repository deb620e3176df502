#include "elements/ui/ViewPicture.h"

#include <QPainter>
#include <string>

#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/SentenceFont.h"
#include "elements/ui/ViewPainter.h"
#include "model/ZorvexError.h"
#include "viewport/DiagramBounds.h"

namespace zorvex {
namespace {

constexpr int64_t MaxSide = 32767;

}  // namespace

QImage renderDiagramAtStep(const Diagram& d, int step, int margin) {
  ViewTransform view;
  view.zoomTo(step, {});
  const std::optional<Rect> bounds = drawnBounds(d);
  const ViewRect shown = bounds ? view.toView(*bounds) : ViewRect{0, 0, -1, -1};
  const int64_t w = shown.right - shown.left + 1 + 2 * int64_t{margin};
  const int64_t h = shown.bottom - shown.top + 1 + 2 * int64_t{margin};
  if (w > MaxSide || h > MaxSide)
    throw ZorvexError("The picture would be " + std::to_string(w) + " x " + std::to_string(h) +
                      " pixels, more than 32767 on a side: choose a smaller scale");
  QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
  if (image.isNull()) throw ZorvexError("Out of memory");
  image.fill(SurfaceColour);
  if (!bounds) return image;
  view.setOffset({shown.left - margin, shown.top - margin});
  QPainter p(&image);
  paintDiagramView(p, d, image.rect(), sentenceFont(), view, nullptr);
  return image;
}

}  // namespace zorvex
