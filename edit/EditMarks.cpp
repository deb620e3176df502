// Deleting elements and setting a sentence's status by hand.
#include "edit/DiagramEdit.h"
#include "edit/EditExtent.h"

namespace zorvex {
namespace {

bool deleted(const Diagram& d, ElementRef ref) {
  switch (ref.kind) {
    case ElementKind::Sentence: return d.sentence(ref.index).Deleted;
    case ElementKind::Arrow: return d.arrow(ref.index).Deleted;
    case ElementKind::Defeater: return d.defeater(ref.index).Deleted;
  }
  return false;
}

template <class Element>
void markDeleted(Element& e) {
  e.Deleted = true;
  e.Enabled = false;
}

}  // namespace

std::vector<int32_t> DiagramEdit::liveArrowsAt(int32_t sentence) {
  std::vector<int32_t> out;
  for (int32_t k : lookup().arrowsOf(sentence))
    if (!diagram_.arrow(k).Deleted) out.push_back(k);
  return out;
}

// Deleting takes nothing out of the spatial index: deleted elements are
// skipped where they are found.
EditOutcome DiagramEdit::deleteElements(const std::vector<ElementRef>& elements) {
  ElementStepBuilder step(diagram_, "Delete");
  EditExtent extent;
  auto mark = [&](ElementRef ref) {
    if (!diagram_.exists(ref)) throw ZorvexError(diagram_.name(ref) + " not found");
    if (deleted(diagram_, ref)) return;
    step.before(ref);
    extent.add(diagram_, ref);
    switch (ref.kind) {
      case ElementKind::Sentence: markDeleted(diagram_.sentence(ref.index)); break;
      case ElementKind::Arrow: markDeleted(diagram_.arrow(ref.index)); break;
      case ElementKind::Defeater: markDeleted(diagram_.defeater(ref.index)); break;
    }
  };
  for (const ElementRef& ref : elements) {
    if (ref.kind == ElementKind::Sentence && diagram_.exists(ref) && !deleted(diagram_, ref))
      for (int32_t k : liveArrowsAt(ref.index)) mark({ElementKind::Arrow, k});
    mark(ref);
  }
  return {step.take(), extent.area(), std::nullopt};
}

EditOutcome DiagramEdit::setUserStatus(int32_t sentence, UserStatus which, EvaluationLog& log) {
  checkSentence(sentence);
  const Status old = diagram_.sentence(sentence).Status;
  SetStatusByUser(diagram_, sentence, which, log);
  EditOutcome out;
  out.step.name = "Set Status";
  // The log names the sentence the step is about.
  out.step.subject = diagram_.sentence(sentence).Text;
  out.step.statuses.add(ElementKind::Sentence, sentence, old, diagram_.sentence(sentence).Status);
  out.changed = diagram_.drawnExtent({ElementKind::Sentence, sentence});
  return out;
}

}  // namespace zorvex
