// Typing new sentences into the in-place edit box.
#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"

namespace zorvex {

void ArgumentEditor::ShowSentenceEdit(int32_t x, int32_t y) {
  // The box, sized in screen pixels, must lie within the visible surface's
  // width and height; the surface's own offset in the window does not enter.
  // Where it had to move, the sentence goes to the diagram point shown at the
  // box's new corner (rounded towards the top left, so it stays inside).
  const SurfaceSize surface = host_.surfaceSize();
  const ViewPoint at = view_.toView(x, y);
  SentenceEdit_.Left = x;
  if (at.x + SentenceEdit_.Width > surface.width)
    SentenceEdit_.Left = view_.toDiagram(ViewPoint{int64_t{surface.width} - SentenceEdit_.Width, at.y}).x;
  SentenceEdit_.Top = y;
  if (at.y + SentenceEdit_.Height > surface.height)
    SentenceEdit_.Top = view_.toDiagram(ViewPoint{at.x, int64_t{surface.height} - SentenceEdit_.Height}).y;
  SentenceEdit_.visible = true;
  ++SentenceEdit_.placements;
  host_.sentenceEditChanged();
  host_.focusSentenceEdit();
}

void ArgumentEditor::PlaceSentenceEdit(int32_t x, int32_t y) {
  SentenceEdit_.Left = x;
  SentenceEdit_.Top = y;
  SentenceEdit_.visible = true;
  ++SentenceEdit_.placements;
  host_.sentenceEditChanged();
}

void ArgumentEditor::AddSentenceFromEdit() {
  const std::string& text = SentenceEdit_.text;
  EditOutcome made;
  try {
    made = edit_.addSentence({SentenceEdit_.Left, SentenceEdit_.Top}, text, host_.measureText(text));
  } catch (const EditRefused& refused) {
    host_.showWarning(refused.message());
    return;
  }
  record(made.step);
  tellMeaning(defeatersGivenNewMeaning(diagram_, made));
  SentenceEdit_.visible = false;
  host_.sentenceEditChanged();
  host_.repaintSurface();
}

void ArgumentEditor::SentenceEditKeyPress(char key) {
  if (retyped_) {
    if (key == EnterKey) retypeFromEdit();
    if (key == EscapeKey) closeRetype();
    return;
  }
  if (key == EnterKey) AddSentenceFromEdit();
  // Escape takes the box away unused; the tool stays for the next press.
  if (key == EscapeKey && SentenceEdit_.visible) {
    SentenceEdit_.visible = false;
    host_.sentenceEditChanged();
  }
}

void ArgumentEditor::SentenceEditTextChanged(const std::string& text) { SentenceEdit_.text = text; }

void ArgumentEditor::SetSentenceEditText(const std::string& text) {
  SentenceEdit_.text = text;
  host_.sentenceEditChanged();
}

void ArgumentEditor::SetSentenceEditSize(int32_t width, int32_t height) {
  SentenceEdit_.Width = width;
  SentenceEdit_.Height = height;
  host_.sentenceEditChanged();
}

}  // namespace zorvex
