#pragma once
// What a text on the clipboard pastes as. A JSON object is a diagram: our own
// diagram JSON (a copy, or a diagram file's text), or an AIF argument map,
// read and laid out as opening one reads it. Any other text is plain text:
// one new sentence per line that is not blank, stacked downwards. Every
// pasted text has each run of white space made one space, as AIF texts do,
// since a sentence is drawn on one line.
#include <string_view>

#include "editor/DiagramClipboard.h"

namespace zorvex {

struct ClipboardRows {
  DiagramRows rows;
  // Where the rows put the elements means something (a copy): without a
  // point, the paste goes 20 right of and below it. Plain text and AIF maps
  // have no such place.
  bool placed = true;
};

// A text that cannot be pasted, or holds nothing, throws EditRefused with a
// message that says why.
ClipboardRows rowsFromClipboard(std::string_view text, const MeasureText& measure);

// The space between two sentences pasted from lines of plain text.
constexpr int32_t PastedLineGap = 10;

}  // namespace zorvex
