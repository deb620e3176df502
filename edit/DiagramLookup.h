#pragma once
// Lookups the edits need to stay cheap on huge diagrams: sentences by text
// (the unique-text rule, duplicate arrows) and the arrows joined to each
// sentence (moves, duplicate arrows, deletion). Deleted marks and texts are
// read live, so deleting, and undoing or redoing a text change, need no
// update here; new elements are picked up by sync().
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Diagram.h"

namespace zorvex {

class DiagramLookup {
 public:
  explicit DiagramLookup(const Diagram& diagram) : diagram_(diagram) {}

  // Takes in sentences and arrows added since the last call; rebuilds when
  // the diagram holds fewer than were indexed (it was replaced).
  void sync();
  void rebuild();
  // A sentence's text was changed: it may be found under its new text (and
  // under any text an undo or redo gives it) from now on.
  void textChanged(int32_t sentence);

  // Numbers of every sentence with this text now, deleted ones included, ascending.
  std::vector<int32_t> sentencesWithText(const std::string& text) const;
  // True when a sentence that is not deleted has this text; `except` is
  // left out of the question.
  bool liveTextExists(const std::string& text, int32_t except = NoSentence) const;
  // Arrows with the sentence at either end, ascending, deleted ones included.
  const std::vector<int32_t>& arrowsOf(int32_t sentence) const;

 private:
  const Diagram& diagram_;
  // By the text each sentence had when it was taken in.
  std::unordered_map<std::string, std::vector<int32_t>> byText_;
  // Sentences whose text has changed since: few, and asked of directly.
  std::vector<int32_t> retexted_;
  std::vector<std::vector<int32_t>> arrowsOf_;
  int32_t sentences_ = 0;
  int32_t arrows_ = 0;
};

}  // namespace zorvex
