#pragma once
// The colours that show the statuses of sentences, arrows and defeaters.
// The standard palette is the program's own, pixel for pixel. The safe
// palette stays apart under protanopia, deuteranopia, tritanopia and in
// greyscale (built on the Okabe-Ito set), and adds a small mark to each
// sentence box, so that a status never rests on colour alone.
// Colours are 0xRRGGBB.
#include <array>
#include <cstdint>
#include <string>

#include "model/Types.h"

namespace zorvex {

enum class Palette : uint8_t { Standard, Safe };

// The palette the window, its key, its pictures and prints use; the
// standard one until the user chooses another. Held once per process.
Palette paletteInUse();
void setPaletteInUse(Palette p);

// "standard" or "safe"; false for any other name.
bool paletteNamed(const std::string& name, Palette& out);

uint32_t sentenceFrameRgb(Palette p, Status s, bool selected);
uint32_t sentenceFillRgb(Palette p, Status s);
uint32_t sentenceTextRgb(Palette p, Status s);
uint32_t arrowRgb(Palette p, Status s, bool selected);
uint32_t defeaterRgb(Palette p, DefeaterState s, bool selected);

// The mark in a sentence box's bottom right corner: a badge of MarkSide pixels
// square in MarkBadgeRgb, with the glyph's pixels in MarkGlyphRgb.
enum class StatusMark : uint8_t { None, Justified, Unjustified, NotEvaluated };
StatusMark statusMark(Palette p, Status s);

constexpr int MarkSide = 7;
constexpr uint32_t MarkBadgeRgb = 0x000000;
constexpr uint32_t MarkGlyphRgb = 0xFFFFFF;
// Rows of the 5 x 5 glyph inside the badge, '#' for a glyph pixel.
using MarkGlyph = std::array<const char*, 5>;
const MarkGlyph& markGlyph(StatusMark m);
// Where the badge goes in a box of that size, as offsets from its top left
// corner; false when the box is too small to hold one beside its frame.
bool markPlace(int32_t width, int32_t height, int32_t& dx, int32_t& dy);

}  // namespace zorvex
