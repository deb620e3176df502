#include "layout/LayoutSession.h"

#include <algorithm>
#include <limits>

#include "layout/DotParts.h"
#include "layout/LayeredPart.h"
#include "layout/LayoutCancel.h"
#include "layout/PartChoice.h"
#include "layout/PlacedCorners.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

// The room a part is given when laid out again: more, so that a defeater's
// rectangle can hold its own sentences and arrows alone.
constexpr int32_t RoomyGap = 64;

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
  throwIfLayoutCancelled();
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

}  // namespace

LayoutSession::LayoutSession(const LayoutInput& input, size_t layeredLimit)
    : in_(input), parts_(connectedParts(input)), pictures_(parts_.size()), tries_(parts_.size(), 0),
      byDot_(parts_.size(), false), partOf_(input.boxes.size(), -1) {
  for (size_t p = 0; p < parts_.size(); ++p)
    for (int32_t b : parts_[p].boxes) partOf_[b] = static_cast<int32_t>(p);
  std::vector<int32_t> chosen = dotParts(parts_, in_, layeredLimit);
  std::vector<const LayoutInput*> inputs;
  for (int32_t p : chosen) inputs.push_back(&parts_[p].input);
  if (const auto centres = dotCentresOfParts(inputs, failure_))
    for (size_t i = 0; i < chosen.size(); ++i) {
      pictures_[chosen[i]] = pictureOf(parts_[chosen[i]].input, (*centres)[i]);
      byDot_[chosen[i]] = true;
    }
  for (size_t p = 0; p < parts_.size(); ++p)
    if (!byDot_[p]) pictures_[p] = ownPicture(parts_[p].input);
}

LayoutOutput LayoutSession::output() const {
  LayoutOutput out = compose(parts_, pictures_, in_);
  bool own = false;
  for (size_t p = 0; p < parts_.size(); ++p) own = own || (!byDot_[p] && parts_[p].boxes.size() > 1);
  out.method = own ? LayoutMethod::Own : LayoutMethod::Layered;
  out.failure = failure_;
  return out;
}

// The first try again keeps the way the part was drawn and gives it more
// room; the next draws it by our own layout with more room; after that the
// part stays as it is.
std::vector<bool> LayoutSession::partsFor(const std::vector<int32_t>& boxes) const {
  std::vector<bool> parts(parts_.size(), false);
  for (int32_t b : boxes)
    if (b >= 0 && static_cast<size_t>(b) < partOf_.size()) parts[partOf_[b]] = true;
  return parts;
}

LayoutOutput LayoutSession::keepAsTheyStand(const std::vector<int32_t>& boxes) {
  const std::vector<bool> keep = partsFor(boxes);
  for (size_t p = 0; p < parts_.size(); ++p) {
    const LayoutInput& part = parts_[p].input;
    if (!keep[p] || part.present.size() != part.boxes.size()) continue;
    int32_t left = INT32_MAX, top = INT32_MAX;
    for (const Point& c : part.present) left = std::min(left, c.x), top = std::min(top, c.y);
    PartPicture& picture = pictures_[p];
    picture = {};
    for (size_t i = 0; i < part.boxes.size(); ++i) {
      picture.corners.push_back({part.present[i].x - left, part.present[i].y - top});
      picture.size.width = std::max<int64_t>(picture.size.width, picture.corners[i].x + part.boxes[i].width);
      picture.size.height = std::max<int64_t>(picture.size.height, picture.corners[i].y + part.boxes[i].height);
    }
    tries_[p] = 2;
  }
  return output();
}

LayoutOutput LayoutSession::again(const std::vector<int32_t>& boxes) {
  const std::vector<bool> redo = partsFor(boxes);
  for (size_t p = 0; p < parts_.size(); ++p) {
    if (!redo[p] || tries_[p] >= 2) continue;
    LayoutInput roomy = parts_[p].input;
    roomy.gap = std::max(roomy.gap, RoomyGap);
    const bool dot = byDot_[p] && ++tries_[p] == 1;
    if (!dot) tries_[p] = 2;
    std::optional<std::vector<std::vector<DoublePoint>>> centres;
    if (dot) centres = dotCentresOfParts({&roomy}, failure_);
    pictures_[p] = centres ? pictureOf(roomy, centres->front()) : ownPicture(roomy);
    byDot_[p] = centres.has_value();
  }
  return output();
}

}  // namespace zorvex
