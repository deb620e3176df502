#include "edit/DiagramLookup.h"

#include <algorithm>

namespace zorvex {
namespace {
const std::vector<int32_t> kNone;
}

void DiagramLookup::rebuild() {
  byText_.clear();
  retexted_.clear();
  arrowsOf_.clear();
  sentences_ = 0;
  arrows_ = 0;
  sync();
}

void DiagramLookup::sync() {
  if (diagram_.SentenceCount() < sentences_ || diagram_.ArrowCount() < arrows_) {
    byText_.clear();
    retexted_.clear();
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

void DiagramLookup::textChanged(int32_t sentence) {
  if (std::find(retexted_.begin(), retexted_.end(), sentence) == retexted_.end()) retexted_.push_back(sentence);
}

std::vector<int32_t> DiagramLookup::sentencesWithText(const std::string& text) const {
  std::vector<int32_t> out;
  auto take = [&](int32_t n) {
    if (n < diagram_.SentenceCount() && diagram_.sentence(n).Text == text) out.push_back(n);
  };
  if (auto it = byText_.find(text); it != byText_.end())
    for (int32_t n : it->second) take(n);
  if (retexted_.empty()) return out;
  for (int32_t n : retexted_) take(n);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

bool DiagramLookup::liveTextExists(const std::string& text, int32_t except) const {
  for (int32_t n : sentencesWithText(text))
    if (n != except && !diagram_.sentence(n).Deleted) return true;
  return false;
}

const std::vector<int32_t>& DiagramLookup::arrowsOf(int32_t sentence) const {
  if (sentence < 0 || static_cast<size_t>(sentence) >= arrowsOf_.size()) return kNone;
  return arrowsOf_[static_cast<size_t>(sentence)];
}

}  // namespace zorvex
