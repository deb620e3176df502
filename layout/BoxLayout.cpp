#include "layout/BoxLayout.h"

#include <algorithm>
#include <limits>

#include "layout/DotParts.h"
#include "layout/KeptPlaces.h"
#include "layout/LayoutCancel.h"
#include "layout/LayeredPart.h"
#include "layout/LayoutParts.h"
#include "layout/PartChoice.h"
#include "layout/PlacedCorners.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

PartPicture pictureOf(const LayoutInput& part, const std::vector<DoublePoint>& centres) {
  PartPicture picture;
  picture.corners = cornersFromCentres(part.boxes, centres);
  for (size_t i = 0; i < part.boxes.size(); ++i) {
    Point& c = picture.corners[i];
    c = {c.x - LayoutMargin, c.y - LayoutMargin};
    picture.size.width = std::max<int64_t>(picture.size.width, c.x + part.boxes[i].width);
    picture.size.height = std::max<int64_t>(picture.size.height, c.y + part.boxes[i].height);
  }
  return picture;
}

std::vector<DoublePoint> presentCentres(const LayoutInput& part) {
  std::vector<DoublePoint> centres;
  for (size_t i = 0; i < part.present.size(); ++i)
    centres.push_back({part.present[i].x + part.boxes[i].width / 2.0, part.present[i].y + part.boxes[i].height / 2.0});
  return centres;
}

PartPicture ownPicture(const LayoutInput& part) {
  if (part.boxes.size() == 1) return pictureOf(part, {{0, 0}});
  return pictureOf(part, layOutPart(part, presentCentres(part), PartShape{}));
}

// The parts dot is given, largest first while the budget lasts; none when
// the boxes' present places are to be kept, which only our own layout does.
std::vector<int32_t> dotParts(const std::vector<LayoutPart>& parts, const LayoutInput& in, size_t layeredLimit) {
  std::vector<int32_t> chosen;
  if (!in.present.empty()) return chosen;
  for (size_t p = 0; p < parts.size(); ++p)
    if (suitsDot(parts[p].input, layeredLimit)) chosen.push_back(static_cast<int32_t>(p));
  std::stable_sort(chosen.begin(), chosen.end(),
                   [&](int32_t a, int32_t b) { return parts[a].boxes.size() > parts[b].boxes.size(); });
  size_t boxes = 0, kept = 0;
  while (kept < chosen.size() && boxes + parts[chosen[kept]].boxes.size() <= DotBoxBudget)
    boxes += parts[chosen[kept++]].boxes.size();
  chosen.resize(kept);
  return chosen;
}

std::vector<Point> offsetsOf(const std::vector<LayoutPart>& parts, const std::vector<PartPicture>& pictures,
                             const LayoutInput& in) {
  if (!in.present.empty()) return keptOffsets(parts, pictures, in.gap);
  std::vector<PartSize> sizes;
  for (const PartPicture& p : pictures) sizes.push_back(p.size);
  std::vector<Point> offsets = packParts(sizes, in.gap);
  for (Point& o : offsets) o = {o.x + LayoutMargin, o.y + LayoutMargin};
  return offsets;
}

LayoutOutput compose(const std::vector<LayoutPart>& parts, const std::vector<PartPicture>& pictures,
                     const LayoutInput& in) {
  LayoutOutput out;
  out.corners.resize(in.boxes.size());
  const std::vector<Point> offsets = offsetsOf(parts, pictures, in);
  constexpr int64_t Limit = std::numeric_limits<int32_t>::max() / 2;
  for (size_t p = 0; p < parts.size(); ++p)
    for (size_t i = 0; i < parts[p].boxes.size(); ++i) {
      const int64_t x = int64_t{offsets[p].x} + pictures[p].corners[i].x;
      const int64_t y = int64_t{offsets[p].y} + pictures[p].corners[i].y;
      if (std::max(std::abs(x), std::abs(y)) > Limit) throw ZorvexError("Integer overflow");
      out.corners[parts[p].boxes[i]] = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
    }
  return out;
}

LayoutOutput layOut(const LayoutInput& in, size_t layeredLimit) {
  const std::vector<LayoutPart> parts = connectedParts(in);
  std::vector<PartPicture> pictures(parts.size());
  std::vector<bool> done(parts.size(), false);
  const std::vector<int32_t> byDot = dotParts(parts, in, layeredLimit);
  LayeredFailure failure = LayeredFailure::None;
  std::vector<const LayoutInput*> inputs;
  for (int32_t p : byDot) inputs.push_back(&parts[p].input);
  if (const auto centres = dotCentresOfParts(inputs, failure))
    for (size_t i = 0; i < byDot.size(); ++i) {
      pictures[byDot[i]] = pictureOf(parts[byDot[i]].input, (*centres)[i]);
      done[byDot[i]] = true;
    }
  bool own = false;
  for (size_t p = 0; p < parts.size(); ++p)
    if (!done[p]) {
      throwIfLayoutCancelled();
      pictures[p] = ownPicture(parts[p].input);
      own = own || parts[p].boxes.size() > 1;
    }
  LayoutOutput out = compose(parts, pictures, in);
  out.method = own ? LayoutMethod::Own : LayoutMethod::Layered;
  out.failure = failure;
  return out;
}

}  // namespace

LayoutOutput layOutBoxes(const LayoutInput& input, size_t layeredLimit) { return layOut(input, layeredLimit); }

LayoutOutput layOutOwn(const LayoutInput& input) { return layOut(input, 0); }

}  // namespace zorvex
