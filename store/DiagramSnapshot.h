#pragma once
// What a recovery copy needs of a diagram, taken quickly on the thread that
// owns the diagram, so that the copy can be written on another thread that
// never touches the diagram itself: flat records and the texts in one
// string, no text copied one by one.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/Diagram.h"
#include "store/DiagramRows.h"

namespace zorvex {

class DiagramSnapshot {
 public:
  static DiagramSnapshot of(const Diagram& d);
  // The rows a JSON save with statuses would have written at the moment the snapshot was taken.
  DiagramRows rows() const;

 private:
  struct Sentence {
    int32_t Left, Top, Right, Bottom;
    uint32_t text, length;  // in texts_
    Status status;
    bool deleted;
  };
  std::string_view text(const Sentence& s) const { return std::string_view(texts_).substr(s.text, s.length); }

  std::vector<Sentence> sentences_;
  std::string texts_;
  std::vector<TArrow> arrows_;
  std::vector<std::pair<int32_t, LoadedArrowSides>> loadedSides_;  // of the arrows not resolved, by number
  std::vector<TDefeater> defeaters_;
};

}  // namespace zorvex
