#include "editor/EditorIndex.h"

namespace zorvex {
namespace {
const std::vector<int32_t> kNone;
}

void EditorIndex::rebuild() {
  byText_.clear();
  arrowsOf_.clear();
  sentences_ = 0;
  arrows_ = 0;
  sync();
}

void EditorIndex::sync() {
  if (diagram_.SentenceCount() < sentences_ || diagram_.ArrowCount() < arrows_) {
    byText_.clear();
    arrowsOf_.clear();
    sentences_ = 0;
    arrows_ = 0;
  }
  for (; sentences_ < diagram_.SentenceCount(); ++sentences_)
    byText_[diagram_.sentence(sentences_).Text].push_back(sentences_);
  arrowsOf_.resize(static_cast<size_t>(sentences_));
  for (; arrows_ < diagram_.ArrowCount(); ++arrows_) {
    const TArrow& a = diagram_.arrow(arrows_);
    auto join = [&](int32_t s) {
      if (s < 0 || s >= sentences_) return;
      auto& list = arrowsOf_[static_cast<size_t>(s)];
      if (list.empty() || list.back() != arrows_) list.push_back(arrows_);
    };
    join(a.Sentence1);
    join(a.Sentence2);
  }
}

const std::vector<int32_t>& EditorIndex::sentencesWithText(const std::string& text) const {
  auto it = byText_.find(text);
  return it == byText_.end() ? kNone : it->second;
}

bool EditorIndex::liveTextExists(const std::string& text) const {
  for (int32_t n : sentencesWithText(text))
    if (!diagram_.sentence(n).Deleted) return true;
  return false;
}

const std::vector<int32_t>& EditorIndex::arrowsOf(int32_t sentence) const {
  if (sentence < 0 || static_cast<size_t>(sentence) >= arrowsOf_.size()) return kNone;
  return arrowsOf_[static_cast<size_t>(sentence)];
}

}  // namespace zorvex
