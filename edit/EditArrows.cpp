// Drawing arrows: the two refusals, the arrow being drawn and the finished one.
#include "edit/DerivedGeometry.h"
#include "edit/DiagramEdit.h"

namespace zorvex {

const char* const SameArrowEndsText = "The start and end of the arrow must be different.";
const char* const ArrowExistsText = "The arrow already exists.";

// Texts are what identify sentences here: every sentence with the start's
// text, and every live arrow leaving it towards a sentence with the end's.
std::optional<std::string> DiagramEdit::arrowRefusal(int32_t from, int32_t to) {
  checkSentence(from);
  checkSentence(to);
  const std::string& startText = diagram_.sentence(from).Text;
  const std::string& endText = diagram_.sentence(to).Text;
  if (startText == endText) return SameArrowEndsText;
  const DiagramLookup& index = lookup();
  for (int32_t s : index.sentencesWithText(startText)) {
    for (int32_t k : index.arrowsOf(s)) {
      const TArrow& other = diagram_.arrow(k);
      if (other.Deleted || !other.resolved() || other.Sentence1 != s) continue;
      if (diagram_.sentence(other.Sentence2).Text == endText) return ArrowExistsText;
    }
  }
  return std::nullopt;
}

void DiagramEdit::startArrow(int32_t from) {
  checkSentence(from);
  const Rect box = diagram_.sentence(from).box();
  TArrow& a = diagram_.beginPendingArrow();
  a.Sentence1 = from;
  placeArrowStart(a, box);
}

// The start centre was taken when the arrow was started.
EditOutcome DiagramEdit::completeArrow(int32_t to) {
  TArrow& a = diagram_.pendingArrow();
  if (std::optional<std::string> why = arrowRefusal(a.Sentence1, to)) throw EditRefused(*why);
  placeArrow(a, diagram_.sentence(a.Sentence1).box(), diagram_.sentence(to).box(), ArrowCentres::End);
  a.Sentence2 = to;
  const int32_t n = diagram_.completePendingArrow();
  return added({ElementKind::Arrow, n}, "Add Arrow");
}

EditOutcome DiagramEdit::addArrow(int32_t from, int32_t to) {
  if (std::optional<std::string> why = arrowRefusal(from, to)) throw EditRefused(*why);
  TArrow a;
  a.Sentence1 = from;
  a.Sentence2 = to;
  placeArrow(a, diagram_.sentence(from).box(), diagram_.sentence(to).box());
  const int32_t n = diagram_.addArrow(a);
  return added({ElementKind::Arrow, n}, "Add Arrow");
}

}  // namespace zorvex
