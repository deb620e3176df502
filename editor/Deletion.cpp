// Deleting the selection with the Delete key, one confirmed element at a
// time: defeaters, then arrows, then sentences with their joined arrows.
#include "editor/ArgumentEditor.h"

namespace zorvex {

void ArgumentEditor::FormKeyDown(int key) {
  if (key == DeleteKey && EditMode_ == EditMode::MakeSelectionMode) DeleteSelection();
}

void ArgumentEditor::deleteElement(ElementRef ref, ElementStepBuilder& step) {
  step.before(ref);
  switch (ref.kind) {
    case ElementKind::Sentence: {
      TSentence& s = diagram_.sentence(ref.index);
      s.Deleted = true;
      s.Enabled = false;
      break;
    }
    case ElementKind::Arrow: {
      TArrow& a = diagram_.arrow(ref.index);
      a.Deleted = true;
      a.Enabled = false;
      break;
    }
    case ElementKind::Defeater: {
      TDefeater& d = diagram_.defeater(ref.index);
      d.Deleted = true;
      d.Enabled = false;
      break;
    }
  }
}

// An arrow loaded with an unresolved side shows that side's text as empty.
bool ArgumentEditor::askDeleteArrow(int32_t k) {
  const TArrow& a = diagram_.arrow(k);
  auto text = [&](int32_t s) { return s == NoSentence ? std::string() : diagram_.sentence(s).Text; };
  return host_.askYesNo("Do you want to delete the arrow from\r\n    '" + text(a.Sentence1) + "'\r\nto\r\n    '" +
                        text(a.Sentence2) + "' ?");
}

// A plain scan of each kind by number: a key press is rare, and it must find
// every selected element, however its mark was set.
// Everything confirmed in one press is one step.
void ArgumentEditor::DeleteSelection() {
  index_.sync();
  ElementStepBuilder step(diagram_, "Delete");
  for (int32_t n = 0; n < diagram_.DefeaterCount(); ++n) {
    const TDefeater& d = diagram_.defeater(n);
    if (d.Deleted || !d.Selected || !host_.askYesNo("Do you want to delete the selected Defeater?")) continue;
    deleteElement({ElementKind::Defeater, n}, step);
    host_.repaintSurface();
  }
  for (int32_t n = 0; n < diagram_.ArrowCount(); ++n) {
    const TArrow& a = diagram_.arrow(n);
    if (a.Deleted || !a.Selected || !askDeleteArrow(n)) continue;
    deleteElement({ElementKind::Arrow, n}, step);
    host_.repaintSurface();
  }
  for (int32_t n = 0; n < diagram_.SentenceCount(); ++n) {
    const TSentence& s = diagram_.sentence(n);
    if (s.Deleted || !s.Selected) continue;
    bool asked = false, confirmed = false;
    for (int32_t k : index_.arrowsOf(n)) {
      if (diagram_.arrow(k).Deleted) continue;
      if (!asked) {
        asked = true;
        confirmed = host_.askYesNo("Deleting the sentence\r\n    '" + s.Text +
                                   "'\r\nimplies deleting one or more unselected arrows.\r\n"
                                   "Do you want to delete the sentence and the arrows?");
      }
      if (confirmed) deleteElement({ElementKind::Arrow, k}, step);
    }
    if (!asked) confirmed = host_.askYesNo("Do you want to delete the sentence\r\n    '" + s.Text + "' ?");
    if (!confirmed) continue;
    deleteElement({ElementKind::Sentence, n}, step);
    host_.repaintSurface();
  }
  if (history_ && !step.empty()) history_->record(step.take());
}

}  // namespace zorvex
