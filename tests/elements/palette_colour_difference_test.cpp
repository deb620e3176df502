// How far apart the status colours look, within each role, to readers with
// each common colour-vision deficiency and in greyscale. The figures printed
// here are the ones the README gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "elements/StatusPalette.h"
#include "tests/elements/ColourVision.h"

namespace zorvex {
namespace {

using colour::Vision;

const Vision Deficiencies[] = {Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia, Vision::Greyscale};
const char* const VisionNames[] = {"normal", "protanopia", "deuteranopia", "tritanopia", "greyscale"};

// Every status value that occurs, and the key's bare newly-evaluated sample.
const Status SentenceStatuses[] = {0x04, 0x01, 0x02, 0x09, 0x0A, 0x0C, 0x19, 0x1A, 0x21, 0x22, 0x08};
const Status ArrowStatuses[] = {0x04, 0x01, 0x02};
const DefeaterState DefeaterStates[] = {DefeaterState::ActiveNorInactive, DefeaterState::Active,
                                        DefeaterState::Inactive};

struct Role {
  const char* name;
  size_t count;
  std::function<uint32_t(Palette, size_t)> colour;  // of the n-th status, unselected
};

std::vector<Role> roles() {
  return {{"sentence fills", std::size(SentenceStatuses),
           [](Palette p, size_t n) { return sentenceFillRgb(p, SentenceStatuses[n]); }},
          {"sentence frames", std::size(SentenceStatuses),
           [](Palette p, size_t n) { return sentenceFrameRgb(p, SentenceStatuses[n], false); }},
          {"arrow shafts", std::size(ArrowStatuses),
           [](Palette p, size_t n) { return arrowRgb(p, ArrowStatuses[n], false); }},
          {"defeater rectangles", std::size(DefeaterStates),
           [](Palette p, size_t n) { return defeaterRgb(p, DefeaterStates[n], false); }}};
}

// The smallest difference between two of the role's different colours.
double closest(const Role& r, Palette p, Vision v) {
  double least = 1e9;
  for (size_t i = 0; i < r.count; ++i)
    for (size_t j = i + 1; j < r.count; ++j)
      if (r.colour(p, i) != r.colour(p, j))
        least = std::min(least, colour::difference(r.colour(p, i), r.colour(p, j), v));
  return least;
}

TEST(PaletteColourDifference, TheMathsGivesThePublishedFigures) {
  // Sharma, Wu and Dalal's test pairs 1, 7 and 17.
  EXPECT_NEAR(colour::ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
  EXPECT_NEAR(colour::ciede2000({50, 0, 0}, {50, -1, 2}), 2.3669, 1e-4);
  EXPECT_NEAR(colour::ciede2000({22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}), 2.0373, 1e-4);
  // sRGB white is L* 100; a dichromat sees pure red and green far closer.
  EXPECT_NEAR(colour::labOf(colour::linearRgb(0xFFFFFF)).L, 100, 1e-3);
  EXPECT_LT(colour::difference(0xFF0000, 0x00FF00, Vision::Deuteranopia),
            colour::difference(0xFF0000, 0x00FF00, Vision::Normal) / 2);
}

TEST(PaletteColourDifference, SafeColoursStayApartWhereTheStandardOnesRunTogether) {
  for (const Role& r : roles()) {
    for (size_t i = 0; i < r.count; ++i)
      for (size_t j = i + 1; j < r.count; ++j)
        if (r.colour(Palette::Standard, i) != r.colour(Palette::Standard, j)) {
          EXPECT_NE(r.colour(Palette::Safe, i), r.colour(Palette::Safe, j)) << r.name << " " << i << " " << j;
        }
    for (const Palette p : {Palette::Standard, Palette::Safe}) {
      std::printf("%-9s %-20s", p == Palette::Safe ? "safe" : "standard", r.name);
      for (int v = 0; v <= static_cast<int>(Vision::Greyscale); ++v)
        std::printf(" %s %.1f", VisionNames[v], closest(r, p, static_cast<Vision>(v)));
      std::printf("\n");
    }
    for (const Vision v : Deficiencies) EXPECT_GE(closest(r, Palette::Safe, v), 20.0) << r.name << " " << int(v);
  }
  // The selection keeps a colour of its own.
  for (const Status s : SentenceStatuses)
    for (const Status t : SentenceStatuses)
      EXPECT_NE(sentenceFrameRgb(Palette::Safe, s, true), sentenceFrameRgb(Palette::Safe, t, false));
  for (const DefeaterState s : DefeaterStates)
    for (const DefeaterState t : DefeaterStates)
      EXPECT_NE(defeaterRgb(Palette::Safe, s, true), defeaterRgb(Palette::Safe, t, false));
  // Why the option is there: silver, white and lime fills run together.
  const Role fills = roles()[0];
  for (const Vision v : {Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia})
    EXPECT_NEAR(closest(fills, Palette::Standard, v), 14.1, 0.1);
  EXPECT_NEAR(closest(fills, Palette::Standard, Vision::Greyscale), 6.7, 0.1);
}

}  // namespace
}  // namespace zorvex
