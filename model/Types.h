#pragma once
#include <cstdint>

namespace zorvex {

// Diagram coordinates (what the records hold), 32-bit signed.
struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Status flag bits of sentences and arrows (one byte, several may be set).
enum StatusFlag : uint8_t {
  Defeated = 0x01,       // "unjustified" / "not supporting"
  Undefeated = 0x02,     // "justified" / "supporting"
  NotEvaluated = 0x04,   // "not evaluated"
  JustEvaluated = 0x08,  // changed in the latest round
  StatusFlipped = 0x10,  // turned over between Defeated and Undefeated in the latest round
  SetByUser = 0x20,      // fixed by the user
};
using Status = uint8_t;

inline bool has(Status s, StatusFlag f) { return (s & f) != 0; }

enum class DefeaterState : uint8_t { ActiveNorInactive = 0, Active = 1, Inactive = 2 };

enum class ElementKind : uint8_t { Sentence = 0, Arrow = 1, Defeater = 2 };

struct ElementRef {
  ElementKind kind = ElementKind::Sentence;
  int32_t index = -1;
  friend bool operator==(const ElementRef&, const ElementRef&) = default;
};

// Pixel size of a text as drawn in a sentence box.
struct TextSize {
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace zorvex
