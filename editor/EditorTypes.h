#pragma once
// The small records the editing logic exchanges with the window: the active
// tool, pointer events, tool buttons, overlay figures and the edit box state.
#include <cstdint>
#include <string>

#include "model/Types.h"

namespace zorvex {

// The active editing tool; the numbers are the ones the status texts and
// the window's wiring rely on.
enum class EditMode : uint8_t {
  NoTool = 0,
  AddSentenceMode = 1,
  AddStartArrowMode = 2,
  AddEndArrowMode = 3,
  AddChallengingRectMode = 4,
  AddChallengedRectMode = 5,
  MakeSelectionMode = 6,
  DraggingSentenceMode = 7,
};

enum class MouseButton : uint8_t { Left, Right, Middle };

// Held modifier keys and mouse buttons, always compared as a whole set.
enum ShiftFlag : uint8_t {
  ssShift = 0x01,
  ssAlt = 0x02,
  ssCtrl = 0x04,
  ssLeft = 0x08,
  ssRight = 0x10,
  ssMiddle = 0x20,
};

struct ShiftState {
  uint8_t bits = 0;
  constexpr ShiftState() = default;
  constexpr ShiftState(unsigned b) : bits(static_cast<uint8_t>(b)) {}  // NOLINT: built from flags
  constexpr bool has(ShiftFlag f) const { return (bits & f) != 0; }
  constexpr bool anyButton() const { return (bits & (ssLeft | ssRight | ssMiddle)) != 0; }
  friend constexpr bool operator==(ShiftState, ShiftState) = default;
};

// One pointer event at a surface pixel (window client coordinates). For a
// press the held set includes the pressed button; for a release it no longer
// does.
struct PointerEvent {
  MouseButton button = MouseButton::Left;
  ShiftState held;
  Point pos;
};

// Which of the four tool buttons is shown down; the others are up.
enum class ToolButton : uint8_t { None, AddSentence, AddArrow, AddDefeater, MakeSelection };

// A figure drawn over the picture, in diagram coordinates. Inverting figures
// are painted with an inverting raster op (two equal ones cancel); the others
// are plain copies.
struct OverlayFigure {
  enum class Shape : uint8_t {
    Line,       // from p1 to p2, p2's own pixel not set
    Rectangle,  // outline with corners p1, p2 (either order), right and bottom excluded
    Diamond,    // closed outline through p1 +- 5 horizontally and vertically
  };
  Shape shape = Shape::Line;
  Point p1;
  Point p2;
  uint32_t colour = 0;  // blue * 65536 + green * 256 + red
  bool dotted = false;
  bool inverting = true;
  friend bool operator==(const OverlayFigure&, const OverlayFigure&) = default;
};

constexpr uint32_t OverlayBlack = 0;
constexpr uint32_t OverlayDarkRed = 128;  // #800000

// The in-place sentence edit box as the editor keeps it; the window mirrors
// it. Left, Top: the diagram point of the sentence it adds; Width, Height:
// the box's size in screen pixels.
struct SentenceEditState {
  std::string text = "<Sentence>";
  bool visible = false;
  int32_t Left = 429;
  int32_t Top = 240;
  int32_t Width = 161;
  int32_t Height = 21;
  // Counts the placements: each starts the box afresh, with nothing to undo.
  uint32_t placements = 0;
};

struct SurfaceSize {
  int32_t width = 0;
  int32_t height = 0;
};

// Enabled state of the three status items of the sentence pop-up menu.
struct SentencePopupState {
  int32_t sentence = -1;
  // Only a press of the right button alone sets the three items' enabling;
  // with a modifier or another button held they keep what they had.
  bool setsEnabling = true;
  bool undefeatedEnabled = true;    // "Set Status: &Justified"
  bool defeatedEnabled = true;      // "Set Status: &Unjustified"
  bool notEvaluatedEnabled = true;  // "Set Status: &Not Evaluated"
};

// The drawing surface's place in the window.
constexpr int32_t SurfaceLeft = 0;
constexpr int32_t SurfaceTop = 2;

constexpr int DeleteKey = 46;
// The arrow keys by the same old virtual-key codes.
constexpr int LeftArrowKey = 37;
constexpr int UpArrowKey = 38;
constexpr int RightArrowKey = 39;
constexpr int DownArrowKey = 40;
constexpr char EnterKey = 13;
constexpr char EscapeKey = 27;

}  // namespace zorvex
