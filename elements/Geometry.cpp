#include "elements/Geometry.h"

#include <cmath>
#include <cstdint>

#include "model/Checked.h"

namespace zorvex {
namespace {

using Real = long double;

int32_t truncToInt(Real v) {
  const Real t = std::trunc(v);
  if (!(t >= Real(INT32_MIN) && t <= Real(INT32_MAX))) throw ZorvexError("Integer overflow");
  return static_cast<int32_t>(t);
}

// Nearest integer, halves to the even neighbour, whatever the FPU's rounding mode.
Real roundedHalfEven(Real v) {
  const Real f = std::floor(v);
  const Real frac = v - f;
  if (frac > 0.5L) return f + 1;
  if (frac == 0.5L) return std::fmod(f, 2.0L) == 0 ? f : f + 1;
  return f;
}


// Where the line through the centres crosses the lines of one rectangle's
// sides, nudged one pixel toward the centre the way the arrows have always
// been drawn.
struct Crossings {
  int32_t yL = 0, yR = 0;  // at x = Left and x = Right
  int32_t xT = 0, xB = 0;  // at y = Top and y = Bottom
};

// Trunc(real((side - c) * num) / den + base); the product is 32-bit.
int32_t crossing(int32_t side, int32_t c, int32_t num, int32_t den, int32_t base) {
  const int32_t product = mulChecked(subChecked(side, c), num);
  return truncToInt(Real(product) / Real(den) + Real(base));
}

Crossings crossingsOf(const Rect& r, Point c, int32_t dx, int32_t dy) {
  Crossings k;
  if (r.Left == r.Right) {
    k.yL = k.yR = c.y;
  } else {
    k.yL = crossing(r.Left, c.x, dy, dx, c.y);
    k.yR = crossing(r.Right, c.x, dy, dx, c.y);
  }
  const Real m = (Real(r.Top) + Real(r.Bottom)) / 2;
  if (k.yL < m) {
    k.yL = addChecked(k.yL, 1);
  } else if (k.yL > m) {
    k.yR = addChecked(k.yR, 1);
  }
  if (r.Top == r.Bottom) {
    k.xT = k.xB = c.x;
  } else {
    k.xT = crossing(r.Top, c.y, dx, dy, c.x);
    k.xB = crossing(r.Bottom, c.y, dx, dy, c.x);
  }
  const Real n = (Real(r.Left) + Real(r.Right)) / 2;
  if (k.xT < n) {
    k.xT = addChecked(k.xT, 1);
  } else if (k.xT > n) {
    k.xB = addChecked(k.xB, 1);
  }
  return k;
}

bool within(int32_t lo, int32_t v, int32_t hi) { return lo <= v && v <= hi; }

}  // namespace

Point centreOf(const Rect& r) { return {midChecked(r.Left, r.Right), midChecked(r.Top, r.Bottom)}; }

StartEnd ComputeStartEndPoints(const Rect& A, const Rect& B) {
  const Point c1 = centreOf(A);
  const Point c2 = centreOf(B);
  const int32_t dx = subChecked(c2.x, c1.x);
  const int32_t dy = subChecked(c2.y, c1.y);
  // Where no side test holds (possible only at negative coordinates) the
  // centres stand.
  StartEnd p{c1, c2};
  // Both differ from zero: the same as dx * dy != 0, without a product that
  // could leave 32 bits for far-apart boxes.
  if (dx != 0 && dy != 0) {
    const Crossings a = crossingsOf(A, c1, dx, dy);
    const Crossings b = crossingsOf(B, c2, dx, dy);
    if (within(A.Top, a.yL, A.Bottom)) p.start = A.Left >= B.Right ? Point{A.Left, a.yL} : Point{A.Right, a.yR};
    if (within(A.Left, a.xT, A.Right)) p.start = A.Top >= B.Bottom ? Point{a.xT, A.Top} : Point{a.xB, A.Bottom};
    if (within(B.Top, b.yL, B.Bottom)) p.end = A.Right <= B.Left ? Point{B.Left, b.yL} : Point{B.Right, b.yR};
    if (within(B.Left, b.xT, B.Right)) p.end = A.Bottom <= B.Top ? Point{b.xT, B.Top} : Point{b.xB, B.Bottom};
  }
  if (dx == 0) {
    if (A.Bottom <= B.Top) {
      p = {{c1.x, A.Bottom}, {c1.x, B.Top}};
    } else {
      p = {{c1.x, A.Top}, {c1.x, B.Bottom}};
    }
  }
  if (dy == 0) {
    if (B.Left >= A.Right) {
      p = {{A.Right, c1.y}, {B.Left, c1.y}};
    } else {
      p = {{A.Left, c1.y}, {B.Right, c1.y}};
    }
  }
  return p;
}

void ComputeStartEndArrow(TArrow& a, const TSentence& s1, const TSentence& s2) {
  const StartEnd p = ComputeStartEndPoints(s1.box(), s2.box());
  a.StartX = p.start.x;
  a.StartY = p.start.y;
  a.EndX = p.end.x;
  a.EndY = p.end.y;
}

void ComputeStartEndDefeater(TDefeater& d) {
  const StartEnd p = ComputeStartEndPoints(d.ChallengingRect, d.ChallengedRect);
  d.StartX = p.start.x;
  d.StartY = p.start.y;
  d.EndX = p.end.x;
  d.EndY = p.end.y;
}

// The squares are summed wider than 32 bits: a shaft longer than 46,340 units would
// overflow 32 bits, and painting must never fail. Where nothing overflows the
// result is the 32-bit one. A stroke end beyond 32-bit coordinates (an end
// point at the very edge of the plane) leaves the head out.
StartEnd arrowHeadPoints(const TArrow& a) {
  const Point end{a.EndX, a.EndY};
  const int64_t dx = int64_t{a.EndX} - a.StartX;
  const int64_t dy = int64_t{a.EndY} - a.StartY;
  // Exact in a long double wherever the 32-bit sum would not overflow.
  const Real squares = Real(dx) * Real(dx) + Real(dy) * Real(dy);
  if (squares == 0) return {end, end};
  const Real d = std::sqrt(squares);
  const Real back = d - 8;
  auto at = [&](int32_t from, Real along, Real across) {
    return int64_t{from} + static_cast<int64_t>(roundedHalfEven((back * along + 4 * across) / d));
  };
  const int64_t p1x = at(a.StartX, Real(dx), -Real(dy)), p1y = at(a.StartY, Real(dy), Real(dx));
  const int64_t p2x = at(a.StartX, Real(dx), Real(dy)), p2y = at(a.StartY, Real(dy), -Real(dx));
  auto fits = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
  if (!fits(p1x) || !fits(p1y) || !fits(p2x) || !fits(p2y)) return {end, end};
  return {{static_cast<int32_t>(p1x), static_cast<int32_t>(p1y)}, {static_cast<int32_t>(p2x), static_cast<int32_t>(p2y)}};
}

}  // namespace zorvex
