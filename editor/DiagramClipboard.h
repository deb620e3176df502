#pragma once
// Copying part of a diagram as diagram JSON text and adding such a text to
// a diagram. The text is the same JSON a diagram file holds, so it reads in
// any text editor, and a diagram file's text pasted from elsewhere adds its
// elements. The system clipboard itself is the window's.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/DiagramEdit.h"
#include "store/DiagramRows.h"

namespace zorvex {

// What a copy of the selection takes: the live selected sentences, the live
// arrows between two of them, and the live defeaters whose two rectangles
// hold something and nothing else but those sentences and arrows.
struct CopiedElements {
  std::vector<int32_t> sentences;
  std::vector<int32_t> arrows;
  std::vector<int32_t> defeaters;
  bool empty() const { return sentences.empty() && arrows.empty() && defeaters.empty(); }
};
CopiedElements copiedElements(const Diagram& diagram);

std::string clipboardText(const Diagram& diagram, const CopiedElements& copied);
// The rows of that text: CopiedElements as rows, for a duplicate that never
// goes through text.
DiagramRows clipboardRows(const Diagram& diagram, const CopiedElements& copied);

using MeasureText = std::function<TextSize(const std::string&)>;

// `text` itself when no live sentence has it, else the first of "text (2)",
// "text (3)", ... that is free, counted from the text without a number of
// that form at its end: a copy of "text (2)" is "text (3)", not "text (2) (2)".
std::string freeSentenceText(DiagramLookup& lookup, const std::string& text);

struct PastedElements {
  UndoStep step;
  std::optional<Rect> changed;
  std::vector<ElementRef> added;
};

// Adds the rows' elements through the edit layer as one step. With a point,
// the top left of what the rows hold goes there; without one everything
// lands 20 units right of and below where the rows put it. Sentences take
// free texts and their size from the text; arrows join the pasted sentences
// their rows name (an arrow naming none of them, or refused, is left out);
// defeaters keep their rectangles' shapes. All or nothing: a place beyond
// 32 bits throws and adds nothing.
PastedElements pasteRows(DiagramEdit& edit, const DiagramRows& rows, std::optional<Point> at,
                         const MeasureText& measure, const std::string& stepName);

// The top left of what the rows hold (sentences and defeater rectangles).
Point rowsCorner(const DiagramRows& rows);

}  // namespace zorvex
