#include "elements/StatusPalette.h"

#include <atomic>

namespace zorvex {
namespace {

std::atomic<Palette> inUse{Palette::Standard};

// Standard.
constexpr uint32_t Grey = 0x808080, Black = 0x000000, Green = 0x22B91E, Blue = 0x0000FF, Yellow = 0xFFFF00,
                   White = 0xFFFFFF, Silver = 0xC0C0C0, Lime = 0x00FF00, Maroon = 0x800000, Red = 0xFF0000,
                   LightRed = 0xFF8080;

// Safe: lightness apart by enough that greyscale keeps them apart too,
// hues from the Okabe-Ito set. The selection keeps a colour no status has.
constexpr uint32_t SafeOrange = 0xE07B00, SafeDarkBlue = 0x005686, SafeGrey = 0x999999, SafeFlipped = 0x00568A,
                   SafeSelection = 0xCC79A7;

}  // namespace

Palette paletteInUse() { return inUse.load(std::memory_order_relaxed); }
void setPaletteInUse(Palette p) { inUse.store(p, std::memory_order_relaxed); }

bool paletteNamed(const std::string& name, Palette& out) {
  if (name == "standard")
    out = Palette::Standard;
  else if (name == "safe")
    out = Palette::Safe;
  else
    return false;
  return true;
}

// Rules in order, each one that applies overriding the ones before.
uint32_t sentenceFrameRgb(Palette p, Status s, bool selected) {
  const bool safe = p == Palette::Safe;
  uint32_t c = Black;  // only the key window's bare sample matches no rule
  if (has(s, NotEvaluated)) c = safe ? White : Grey;
  if (has(s, Undefeated) || has(s, Defeated)) c = Black;
  if (has(s, JustEvaluated)) c = safe ? SafeOrange : Green;
  if (has(s, SetByUser)) c = safe ? SafeDarkBlue : Blue;
  if (selected) c = safe ? SafeSelection : Yellow;
  return c;
}

uint32_t sentenceFillRgb(Palette p, Status s) {
  const bool safe = p == Palette::Safe;
  uint32_t c = White;
  if (has(s, NotEvaluated)) c = safe ? SafeGrey : Silver;
  if (has(s, StatusFlipped)) c = safe ? SafeFlipped : Lime;
  return c;
}

// The safe palette's flipped fill is too dark for black text.
uint32_t sentenceTextRgb(Palette p, Status s) {
  return p == Palette::Safe && sentenceFillRgb(p, s) == SafeFlipped ? White : Black;
}

uint32_t arrowRgb(Palette p, Status s, bool selected) {
  // Grey and black are apart for every reader already; dots tell the rest.
  uint32_t c = Black;
  if (has(s, NotEvaluated)) c = Grey;
  if (has(s, Undefeated) || has(s, Defeated)) c = Black;
  if (selected) c = p == Palette::Safe ? SafeSelection : Yellow;
  return c;
}

uint32_t defeaterRgb(Palette p, DefeaterState s, bool selected) {
  const bool safe = p == Palette::Safe;
  uint32_t c = safe ? Black : Maroon;
  if (s == DefeaterState::Active) c = safe ? SafeOrange : Red;
  if (s == DefeaterState::Inactive) c = safe ? SafeDarkBlue : LightRed;
  if (selected) c = safe ? SafeSelection : Yellow;
  return c;
}

StatusMark statusMark(Palette p, Status s) {
  if (p != Palette::Safe) return StatusMark::None;
  StatusMark m = StatusMark::None;
  if (has(s, NotEvaluated)) m = StatusMark::NotEvaluated;
  if (has(s, Undefeated)) m = StatusMark::Justified;
  if (has(s, Defeated)) m = StatusMark::Unjustified;
  return m;
}

const MarkGlyph& markGlyph(StatusMark m) {
  static const MarkGlyph none{".....", ".....", ".....", ".....", "....."};
  static const MarkGlyph check{"....#", "...##", "#.##.", "###..", ".#..."};
  static const MarkGlyph cross{"#...#", ".#.#.", "..#..", ".#.#.", "#...#"};
  static const MarkGlyph question{".###.", "#...#", "..##.", ".....", "..#.."};
  switch (m) {
    case StatusMark::Justified: return check;
    case StatusMark::Unjustified: return cross;
    case StatusMark::NotEvaluated: return question;
    case StatusMark::None: break;
  }
  return none;
}

bool markPlace(int32_t width, int32_t height, int32_t& dx, int32_t& dy) {
  // The bottom right corner, over the frame: the text reaches it with the
  // descent of its last letter at most.
  if (width < 2 * MarkSide || height < MarkSide + 3) return false;
  dx = width - MarkSide;
  dy = height - MarkSide;
  return true;
}

}  // namespace zorvex
