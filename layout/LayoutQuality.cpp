#include "layout/LayoutQuality.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

namespace zorvex {
namespace {

struct Box {
  int64_t left, top, right, bottom;
};

// Sweeps from left to right; the boxes still open are kept by their top, so
// each new box meets only those near it in height.
size_t overlapsOf(const std::vector<Box>& b) {
  std::vector<int32_t> byLeft(b.size());
  std::iota(byLeft.begin(), byLeft.end(), 0);
  std::sort(byLeft.begin(), byLeft.end(), [&](int32_t x, int32_t y) { return b[x].left < b[y].left; });
  int64_t tallest = 0;
  for (const Box& x : b) tallest = std::max(tallest, x.bottom - x.top);
  std::set<std::pair<int64_t, int32_t>> open;  // (top, box)
  std::multiset<std::pair<int64_t, int32_t>> closing;  // (right, box)
  size_t count = 0;
  for (int32_t i : byLeft) {
    while (!closing.empty() && closing.begin()->first <= b[i].left) {
      open.erase({b[closing.begin()->second].top, closing.begin()->second});
      closing.erase(closing.begin());
    }
    for (auto it = open.lower_bound({b[i].top - tallest, INT32_MIN}); it != open.end() && it->first < b[i].bottom; ++it)
      if (b[it->second].bottom > b[i].top) ++count;
    open.insert({b[i].top, i});
    closing.insert({b[i].right, i});
  }
  return count;
}

struct Segment {
  double x1, y1, x2, y2;
  int32_t a, b;
};

double turn(double ax, double ay, double bx, double by, double cx, double cy) {
  return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

bool cross(const Segment& s, const Segment& t) {
  if (s.a == t.a || s.a == t.b || s.b == t.a || s.b == t.b) return false;
  const double d1 = turn(s.x1, s.y1, s.x2, s.y2, t.x1, t.y1), d2 = turn(s.x1, s.y1, s.x2, s.y2, t.x2, t.y2);
  const double d3 = turn(t.x1, t.y1, t.x2, t.y2, s.x1, s.y1), d4 = turn(t.x1, t.y1, t.x2, t.y2, s.x2, s.y2);
  return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

size_t crossingsOf(std::vector<Segment> s) {
  for (Segment& x : s)
    if (x.x1 > x.x2) std::swap(x.x1, x.x2), std::swap(x.y1, x.y2);
  std::sort(s.begin(), s.end(), [](const Segment& p, const Segment& q) { return p.x1 < q.x1; });
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++i)
    for (size_t j = i + 1; j < s.size() && s[j].x1 <= s[i].x2; ++j) count += cross(s[i], s[j]) ? 1 : 0;
  return count;
}

std::vector<Box> boxesOf(const std::vector<LayoutBox>& boxes, const std::vector<Point>& corners, int64_t grow) {
  std::vector<Box> b(boxes.size());
  for (size_t i = 0; i < boxes.size(); ++i)
    b[i] = {corners[i].x - grow, corners[i].y - grow, corners[i].x + boxes[i].width + grow,
            corners[i].y + boxes[i].height + grow};
  return b;
}

}  // namespace

size_t boxesNearer(const std::vector<LayoutBox>& boxes, const std::vector<Point>& corners, int32_t room) {
  // Two boxes nearer than `room` overlap once each reaches `room` further right and down.
  std::vector<Box> b = boxesOf(boxes, corners, 0);
  for (Box& x : b) x.right += room, x.bottom += room;
  return overlapsOf(b);
}

LayoutQuality layoutQuality(const LayoutInput& in, const std::vector<Point>& corners, bool countCrossings) {
  LayoutQuality q;
  const std::vector<Box> b = boxesOf(in.boxes, corners, 0);
  q.overlaps = overlapsOf(b);
  Box all{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
  for (const Box& x : b)
    all = {std::min(all.left, x.left), std::min(all.top, x.top), std::max(all.right, x.right),
           std::max(all.bottom, x.bottom)};
  q.width = b.empty() ? 0 : static_cast<double>(all.right - all.left);
  q.height = b.empty() ? 0 : static_cast<double>(all.bottom - all.top);
  std::vector<Segment> segments;
  size_t links = 0, up = 0;
  for (const auto& [from, to] : in.links) {
    if (from == to) continue;
    const Segment s{(b[from].left + b[from].right) / 2.0, (b[from].top + b[from].bottom) / 2.0,
                    (b[to].left + b[to].right) / 2.0, (b[to].top + b[to].bottom) / 2.0, from, to};
    ++links;
    up += s.y2 < s.y1 ? 1 : 0;
    q.length += std::hypot(s.x2 - s.x1, s.y2 - s.y1);
    segments.push_back(s);
  }
  q.upward = links == 0 ? 1 : static_cast<double>(up) / static_cast<double>(links);
  if (countCrossings) q.crossings = crossingsOf(std::move(segments));
  return q;
}

}  // namespace zorvex
