#pragma once
// How far apart two colours look, to a reader with full colour vision, to
// one with a colour-vision deficiency, and in a greyscale print: sRGB to
// CIELAB (D65), CIEDE2000 (Sharma, Wu and Dalal 2005), and the simulations of
// Machado, Oliveira and Fernandes 2009 at full severity, in linear RGB.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace zorvex::colour {

using Rgb = std::array<double, 3>;  // linear, 0 .. 1
struct Lab {
  double L, a, b;
};

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia, Greyscale };

inline double linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline Rgb linearRgb(uint32_t rgb) {
  return {linear((rgb >> 16) & 0xFF), linear((rgb >> 8) & 0xFF), linear(rgb & 0xFF)};
}

inline Rgb seenWith(Vision v, const Rgb& c) {
  using M = std::array<std::array<double, 3>, 3>;
  static const M protan{
      {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
  static const M deutan{
      {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
  static const M tritan{
      {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};
  if (v == Vision::Normal) return c;
  if (v == Vision::Greyscale) {
    const double y = 0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2];
    return {y, y, y};
  }
  const M& m = v == Vision::Protanopia ? protan : v == Vision::Deuteranopia ? deutan : tritan;
  Rgb out{};
  for (int i = 0; i < 3; ++i) out[i] = std::clamp(m[i][0] * c[0] + m[i][1] * c[1] + m[i][2] * c[2], 0.0, 1.0);
  return out;
}

inline Lab labOf(const Rgb& c) {
  const double x = (0.4124564 * c[0] + 0.3575761 * c[1] + 0.1804375 * c[2]) / 0.95047;
  const double y = 0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2];
  const double z = (0.0193339 * c[0] + 0.1191920 * c[1] + 0.9503041 * c[2]) / 1.08883;
  auto f = [](double t) {
    constexpr double d = 6.0 / 29.0;
    return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
  };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

inline double degrees(double radians) { return radians * 180.0 / M_PI; }
inline double radians(double degrees) { return degrees * M_PI / 180.0; }

inline double ciede2000(const Lab& p, const Lab& q) {
  const double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b);
  const double cMean7 = std::pow((c1 + c2) / 2, 7);
  const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
  const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
  const double c1p = std::hypot(a1, p.b), c2p = std::hypot(a2, q.b);
  auto hue = [](double b, double a) {
    if (a == 0 && b == 0) return 0.0;
    const double h = degrees(std::atan2(b, a));
    return h < 0 ? h + 360 : h;
  };
  const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
  const double dL = q.L - p.L, dC = c2p - c1p;
  double dh = 0;
  if (c1p * c2p != 0) {
    dh = h2 - h1;
    if (dh > 180) dh -= 360;
    if (dh < -180) dh += 360;
  }
  const double dH = 2 * std::sqrt(c1p * c2p) * std::sin(radians(dh / 2));
  const double lMean = (p.L + q.L) / 2, cMean = (c1p + c2p) / 2;
  double hMean = h1 + h2;
  if (c1p * c2p != 0) {
    if (std::abs(h1 - h2) <= 180)
      hMean = (h1 + h2) / 2;
    else
      hMean = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
  }
  const double t = 1 - 0.17 * std::cos(radians(hMean - 30)) + 0.24 * std::cos(radians(2 * hMean)) +
                   0.32 * std::cos(radians(3 * hMean + 6)) - 0.20 * std::cos(radians(4 * hMean - 63));
  const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
  const double cMeanP7 = std::pow(cMean, 7);
  const double rc = 2 * std::sqrt(cMeanP7 / (cMeanP7 + std::pow(25.0, 7)));
  const double sl = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
  const double sc = 1 + 0.045 * cMean, sh = 1 + 0.015 * cMean * t;
  const double rt = -std::sin(radians(2 * dTheta)) * rc;
  return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) + rt * (dC / sc) * (dH / sh));
}

// The difference between two sRGB colours (0xRRGGBB) as seen with v.
inline double difference(uint32_t x, uint32_t y, Vision v) {
  return ciede2000(labOf(seenWith(v, linearRgb(x))), labOf(seenWith(v, linearRgb(y))));
}

}  // namespace zorvex::colour
