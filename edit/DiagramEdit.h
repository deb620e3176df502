#pragma once
// Every change to a diagram's elements goes through here: adding sentences,
// arrows and defeaters, changing a sentence's text, moving sentences,
// deleting and setting a status by hand. Each operation checks its rules,
// keeps every derived field consistent (sizes, centres, end points, bounds,
// the spatial index) and hands back the undo step and the area it changed.
// A rule that refuses throws EditRefused with the user's message and changes
// nothing; a sum that leaves 32 bits throws ZorvexError("Integer overflow")
// and changes nothing either.
//
// Asking the user (the delete questions) and showing refusals is the
// caller's; so is recording the step in the history.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/DiagramLookup.h"
#include "eval/EvaluationLog.h"
#include "eval/Rounds.h"
#include "history/UndoStep.h"
#include "model/Diagram.h"
#include "model/ZorvexError.h"

namespace zorvex {

// A rule of editing said no: the message is for a warning box or the status
// bar, not for the error box.
class EditRefused : public ZorvexError {
 public:
  using ZorvexError::ZorvexError;
};

struct EditOutcome {
  UndoStep step;
  // The drawn extents the change left and entered, together (inclusive);
  // nothing when nothing visible changed.
  std::optional<Rect> changed;
  // The element an adding operation made.
  std::optional<ElementRef> added;
};

// The refusals' texts.
std::string DuplicateSentenceText(const std::string& text);  // adding
std::string RetypedDuplicateText(const std::string& text);   // changing a text
extern const char* const EmptySentenceText;
extern const char* const SameArrowEndsText;
extern const char* const ArrowExistsText;

// The name of a step that moves sentences: "Move Sentence", "Move 5 Sentences".
std::string MoveStepName(size_t sentences);

class DiagramEdit {
 public:
  explicit DiagramEdit(Diagram& diagram) : diagram_(diagram), lookup_(diagram) {}

  Diagram& diagram() { return diagram_; }
  // Brought up to date with elements added outside the edit layer.
  DiagramLookup& lookup();
  // The diagram was replaced or loaded anew.
  void reloaded() { lookup_.rebuild(); }

  // --- Sentences -------------------------------------------------------------
  // A new sentence at `corner` with the text unchanged (an empty one too),
  // its box from the measured text. Refuses a text that a sentence that is
  // not deleted has.
  EditOutcome addSentence(Point corner, const std::string& text, TextSize measured);
  // A sentence's new text: refuses an empty text and one another live
  // sentence has; the box keeps its corner and takes the size of the new
  // text, and the arrows at it follow its border.
  EditOutcome setSentenceText(int32_t sentence, const std::string& text, TextSize measured);
  // Moves the sentences by (dx, dy). Every arrow at one of them that is not
  // deleted and has both sentences follows: its centre on each moved side,
  // its end points and bounds. An arrow between two moved sentences moves
  // once. Arrows are placed anew even when dx and dy are 0. The step is
  // named by MoveStepName.
  EditOutcome moveSentences(std::vector<int32_t> sentences, int32_t dx, int32_t dy);

  // --- Arrows ----------------------------------------------------------------
  // Why an arrow from `from` to `to` may not be drawn, or nothing: the two
  // have the same text, or a live arrow already joins a sentence with the
  // one text to a sentence with the other.
  std::optional<std::string> arrowRefusal(int32_t from, int32_t to);
  // The arrow being drawn (the diagram's pending arrow) starts at `from`.
  void startArrow(int32_t from);
  // ... and ends at `to`: completed and counted, or refused (it stays pending).
  EditOutcome completeArrow(int32_t to);
  // An arrow in one go, leaving any arrow being drawn alone.
  EditOutcome addArrow(int32_t from, int32_t to);

  // --- Defeaters -------------------------------------------------------------
  // A defeater being drawn: created (and counted) at the press, its
  // challenging rectangle from `corner`.
  int32_t beginDefeater(Point corner);
  void setChallengingRect(int32_t defeater, const Rect& r);
  void setChallengedRect(int32_t defeater, const Rect& r);
  // The defeater is drawn: its line and extent are set and it becomes part
  // of the diagram.
  EditOutcome completeDefeater(int32_t defeater);
  // A defeater in one go, its rectangles taken as given.
  EditOutcome addDefeater(const Rect& challenging, const Rect& challenged);

  // --- Deleting --------------------------------------------------------------
  // The arrows at a sentence that are not deleted: deleting the sentence
  // deletes them too.
  std::vector<int32_t> liveArrowsAt(int32_t sentence);
  // Marks the elements deleted (and not enabled); a sentence takes its live
  // arrows with it. Elements already deleted are left as they are.
  EditOutcome deleteElements(const std::vector<ElementRef>& elements);

  // --- Status ----------------------------------------------------------------
  // The sentence menu's set-status commands, their log lines included.
  EditOutcome setUserStatus(int32_t sentence, UserStatus which, EvaluationLog& log);

 private:
  struct NewBox {
    int32_t sentence;
    TSentence record;
  };
  EditOutcome reshape(const std::vector<NewBox>& boxes, std::string stepName);
  EditOutcome added(ElementRef ref, const char* stepName);
  void checkSentence(int32_t sentence) const;

  Diagram& diagram_;
  DiagramLookup lookup_;
};

}  // namespace zorvex
