// Deleting the selection with the Delete key, one confirmed element at a
// time: defeaters, then arrows, then sentences with their joined arrows. The
// questions are asked here; the edit layer does the marking.
#include "editor/ArgumentEditor.h"

namespace zorvex {

void ArgumentEditor::FormKeyDown(int key) {
  if (key == DeleteKey && EditMode_ == EditMode::MakeSelectionMode) DeleteSelection();
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
  StepSequence step("Delete");
  auto remove = [&](ElementRef ref) {
    step.add(edit_.deleteElements({ref}).step);
    host_.repaintSurface();
  };
  for (int32_t n = 0; n < diagram_.DefeaterCount(); ++n) {
    const TDefeater& d = diagram_.defeater(n);
    if (d.Deleted || !d.Selected || !host_.askYesNo("Do you want to delete the selected Defeater?")) continue;
    remove({ElementKind::Defeater, n});
  }
  for (int32_t n = 0; n < diagram_.ArrowCount(); ++n) {
    const TArrow& a = diagram_.arrow(n);
    if (a.Deleted || !a.Selected || !askDeleteArrow(n)) continue;
    remove({ElementKind::Arrow, n});
  }
  // Deleting a sentence deletes its live arrows, selected or not, after one
  // question for all of them.
  for (int32_t n = 0; n < diagram_.SentenceCount(); ++n) {
    const TSentence& s = diagram_.sentence(n);
    if (s.Deleted || !s.Selected) continue;
    const bool confirmed =
        edit_.liveArrowsAt(n).empty()
            ? host_.askYesNo("Do you want to delete the sentence\r\n    '" + s.Text + "' ?")
            : host_.askYesNo("Deleting the sentence\r\n    '" + s.Text +
                             "'\r\nimplies deleting one or more unselected arrows.\r\n"
                             "Do you want to delete the sentence and the arrows?");
    if (confirmed) remove({ElementKind::Sentence, n});
  }
  if (!step.empty()) record(step.step());
}

}  // namespace zorvex
