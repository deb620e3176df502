#pragma once
// Lookups the editing steps need to stay cheap on huge diagrams: sentences
// by text (duplicate checks) and the arrows joined to each sentence (drags,
// duplicate arrows, deletion). Deleted marks are read live, so deleting
// needs no update here; new elements are picked up by sync().
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Diagram.h"

namespace zorvex {

class EditorIndex {
 public:
  explicit EditorIndex(const Diagram& diagram) : diagram_(diagram) {}

  // Takes in sentences and arrows added since the last call; rebuilds when
  // the diagram holds fewer than were indexed (it was replaced).
  void sync();
  void rebuild();

  // Numbers of every sentence with this text, deleted ones included, ascending.
  const std::vector<int32_t>& sentencesWithText(const std::string& text) const;
  // True when a sentence that is not deleted has this text.
  bool liveTextExists(const std::string& text) const;
  // Arrows with the sentence at either end, ascending, deleted ones included.
  const std::vector<int32_t>& arrowsOf(int32_t sentence) const;

 private:
  const Diagram& diagram_;
  std::unordered_map<std::string, std::vector<int32_t>> byText_;
  std::vector<std::vector<int32_t>> arrowsOf_;
  int32_t sentences_ = 0;
  int32_t arrows_ = 0;
};

}  // namespace zorvex
