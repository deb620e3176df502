#include "viewport/ScrollArea.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace zorvex {
namespace {

struct Span {
  int64_t from = 0;  // zoomed pixels, inclusive
  int64_t to = 0;    // exclusive
};

// The zoomed span along one direction: the drawn part plus the margin. A
// diagram at positive coordinates needs no margin past the origin, so one
// drawn from 0 shows whole in the window at its home position. Nothing else
// counts: a thumb stands for the diagram, at every zoom.
Span contentSpan(int64_t zoomedFirst, int64_t zoomedEnd) {
  const int64_t from = zoomedFirst < 0 ? zoomedFirst - ScrollMargin : std::max<int64_t>(0, zoomedFirst - ScrollMargin);
  return {from, zoomedEnd + ScrollMargin};
}

// Just past the last pixel diagram coordinate `last` touches. Zoomed out, a
// unit shows at the pixel holding its start, which the next unit may share.
int64_t pixelsEnd(const ViewTransform& view, int64_t last) {
  return std::max(view.zoomed(last + 1), view.zoomed(last) + 1);
}

Span horizontalSpan(const Rect& extent, const ViewTransform& view) {
  return contentSpan(view.zoomed(extent.Left), pixelsEnd(view, extent.Right));
}

Span verticalSpan(const Rect& extent, const ViewTransform& view) {
  return contentSpan(view.zoomed(extent.Top), pixelsEnd(view, extent.Bottom));
}

bool reachesPast(const Span& content, int64_t offset, int64_t visible) {
  return content.from < offset || content.to > offset + visible;
}

ScrollRange rangeFor(const Span& content, int64_t offset, int64_t visible, bool shown) {
  if (!shown) return {};
  return {true, std::min(content.from, offset), std::max(content.to - visible, offset), visible};
}

int64_t floorHalf(int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

}  // namespace

ScrollBars scrollBarsFor(const std::optional<Rect>& extent, const ViewTransform& view, int64_t surfaceWidth,
                         int64_t surfaceHeight, int64_t barThickness) {
  ScrollBars bars;
  bars.visibleWidth = std::max<int64_t>(0, surfaceWidth);
  bars.visibleHeight = std::max<int64_t>(0, surfaceHeight);
  if (!extent) return bars;
  const Span h = horizontalSpan(*extent, view);
  const Span v = verticalSpan(*extent, view);
  bool showH = false, showV = false;
  // A bar shown takes room from the other direction, which may then need its own.
  for (int pass = 0; pass < 2; ++pass) {
    const int64_t w = std::max<int64_t>(0, surfaceWidth - (showV ? barThickness : 0));
    const int64_t hh = std::max<int64_t>(0, surfaceHeight - (showH ? barThickness : 0));
    showH = reachesPast(h, view.offsetX(), w);
    showV = reachesPast(v, view.offsetY(), hh);
  }
  bars.visibleWidth = std::max<int64_t>(0, surfaceWidth - (showV ? barThickness : 0));
  bars.visibleHeight = std::max<int64_t>(0, surfaceHeight - (showH ? barThickness : 0));
  bars.horizontal = rangeFor(h, view.offsetX(), bars.visibleWidth, showH);
  bars.vertical = rangeFor(v, view.offsetY(), bars.visibleHeight, showV);
  return bars;
}

ViewTransform fitView(const Rect& extent, int64_t surfaceWidth, int64_t surfaceHeight) {
  ViewTransform view;
  for (int step = ViewTransform::StepCount - 1; step >= 0; --step) {
    view.zoomTo(step, {0, 0});
    if (step == 0) break;
    const Span h = horizontalSpan(extent, view), v = verticalSpan(extent, view);
    if (h.to - h.from <= surfaceWidth && v.to - v.from <= surfaceHeight) break;
  }
  // Centred: what is left over is split between the two sides.
  const Span h = horizontalSpan(extent, view), v = verticalSpan(extent, view);
  view.setOffset({h.from - floorHalf(surfaceWidth - (h.to - h.from)), v.from - floorHalf(surfaceHeight - (v.to - v.from))});
  return view;
}

BarUnits barUnits(const ScrollRange& range) {
  const int64_t span = std::max<int64_t>({range.maximum - range.minimum, std::abs(range.minimum),
                                          std::abs(range.maximum), range.page, 1});
  BarUnits u;
  u.unit = std::max<int64_t>(1, (span + (INT_MAX / 4) - 1) / (INT_MAX / 4));
  auto in = [&u](int64_t v) { return static_cast<int>(v >= 0 ? v / u.unit : -((-v + u.unit - 1) / u.unit)); };
  u.minimum = in(range.minimum);
  // Rounded up, so that the bar's far end still shows the range's far end.
  u.maximum = std::max(u.minimum, -in(-range.maximum));
  u.page = std::max(1, static_cast<int>(range.page / u.unit));
  return u;
}

ViewPoint autoScrollStep(ViewPoint pointer, int64_t visibleWidth, int64_t visibleHeight, int64_t zone) {
  auto along = [zone](int64_t p, int64_t size) -> int64_t {
    if (size <= 0) return 0;
    const int64_t lowEdge = zone, highEdge = size - 1 - zone;
    if (p < lowEdge) return -std::min<int64_t>(64, 4 + (lowEdge - p));
    if (p > highEdge) return std::min<int64_t>(64, 4 + (p - highEdge));
    return 0;
  };
  return {along(pointer.x, visibleWidth), along(pointer.y, visibleHeight)};
}

}  // namespace zorvex
