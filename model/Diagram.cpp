#include "model/Diagram.h"

#include <algorithm>
#include <charconv>

#include "model/Checked.h"

namespace zorvex {
namespace {

// Arrow heads reach about 9 pixels from the end point, defeater diamonds 5.

int32_t clampAdd(int32_t v, int64_t d) {
  int64_t r = int64_t{v} + d;
  r = std::clamp<int64_t>(r, INT32_MIN, INT32_MAX);
  return static_cast<int32_t>(r);
}

Rect normalised(const Rect& r) {
  return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
          std::max(r.Top, r.Bottom)};
}

Rect unite(const Rect& a, const Rect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

Rect around(int32_t x, int32_t y, int32_t reach) {
  return {clampAdd(x, -reach), clampAdd(y, -reach), clampAdd(x, reach), clampAdd(y, reach)};
}

}  // namespace

Rect sentenceExtent(const TSentence& s) {
  return {s.Left, s.Top, clampAdd(s.Left, int64_t{s.Width} - 1), clampAdd(s.Top, int64_t{s.Height} - 1)};
}

Rect arrowExtent(const TArrow& a) {
  Rect shaft = normalised({a.StartX, a.StartY, a.EndX, a.EndY});
  return unite(shaft, around(a.EndX, a.EndY, ArrowHeadReach));
}

Rect defeaterExtent(const TDefeater& d) {
  Rect r = unite(normalised(d.ChallengingRect), normalised(d.ChallengedRect));
  r = unite(r, normalised({d.StartX, d.StartY, d.EndX, d.EndY}));
  return unite(r, around(d.EndX, d.EndY, DefeaterDiamondReach));
}

std::string Diagram::name(ElementKind kind, int32_t n) {
  const char* word = kind == ElementKind::Sentence ? "Sentence" : kind == ElementKind::Arrow ? "Arrow" : "Defeater";
  return std::string(word) + std::to_string(n);
}

std::optional<ElementRef> Diagram::findByName(std::string_view elementName) const {
  struct Kind {
    std::string_view word;
    ElementKind kind;
    int32_t count;
  };
  const Kind kinds[] = {{"Sentence", ElementKind::Sentence, SentenceCount()},
                        {"Arrow", ElementKind::Arrow, ArrowCount()},
                        {"Defeater", ElementKind::Defeater, DefeaterCount()}};
  for (const Kind& k : kinds) {
    if (!elementName.starts_with(k.word)) continue;
    std::string_view digits = elementName.substr(k.word.size());
    // Names carry no sign and no leading zeros.
    if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    int32_t n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || end != digits.data() + digits.size() || n < 0 || n >= k.count) return std::nullopt;
    return ElementRef{k.kind, n};
  }
  return std::nullopt;
}

int32_t Diagram::addSentence(TSentence s) {
  const int32_t n = SentenceCount();
  narrowChecked(int64_t{n} + 1);
  s.ZOrder = nextZ();
  sentences_.push_back(std::move(s));
  if (indexBuilt_) index_.set({ElementKind::Sentence, n}, sentenceExtent(sentences_.back()));
  return n;
}

int32_t Diagram::addArrow(TArrow a) {
  const int32_t n = ArrowCount();
  narrowChecked(int64_t{n} + 1);
  if (a.ZOrder == 0) a.ZOrder = nextZ();
  arrows_.push_back(std::move(a));
  if (indexBuilt_) index_.set({ElementKind::Arrow, n}, arrowExtent(arrows_.back()));
  return n;
}

TArrow& Diagram::beginPendingArrow() {
  pendingArrow_.emplace();
  pendingArrow_->ZOrder = nextZ();
  return *pendingArrow_;
}

int32_t Diagram::completePendingArrow() {
  TArrow a = std::move(pendingArrow_.value());
  pendingArrow_.reset();
  return addArrow(std::move(a));
}

int32_t Diagram::createDefeater() { return addDefeater(TDefeater{}); }

int32_t Diagram::addDefeater(TDefeater d) {
  const int32_t n = DefeaterCount();
  narrowChecked(int64_t{n} + 1);
  defeaters_.push_back(std::move(d));
  if (indexBuilt_) index_.set({ElementKind::Defeater, n}, defeaterExtent(defeaters_.back()));
  return n;
}

void Diagram::destroyLastDefeater() {
  if (defeaters_.empty()) return;
  if (indexBuilt_) index_.remove({ElementKind::Defeater, DefeaterCount() - 1});
  defeaters_.pop_back();
}

Rect Diagram::drawnExtent(ElementRef ref) const {
  switch (ref.kind) {
    case ElementKind::Sentence: return sentenceExtent(sentence(ref.index));
    case ElementKind::Arrow: return arrowExtent(arrow(ref.index));
    case ElementKind::Defeater: return defeaterExtent(defeater(ref.index));
  }
  return {};
}

void Diagram::geometryChanged(ElementRef ref) {
  if (indexBuilt_) index_.set(ref, drawnExtent(ref));
}

void Diagram::ensureIndex() const {
  if (indexBuilt_) return;
  index_.clear();
  for (int32_t n = 0; n < SentenceCount(); ++n) index_.set({ElementKind::Sentence, n}, sentenceExtent(sentences_[n]));
  for (int32_t n = 0; n < ArrowCount(); ++n) index_.set({ElementKind::Arrow, n}, arrowExtent(arrows_[n]));
  for (int32_t n = 0; n < DefeaterCount(); ++n) index_.set({ElementKind::Defeater, n}, defeaterExtent(defeaters_[n]));
  indexBuilt_ = true;
}

void Diagram::query(const Rect& area, std::vector<ElementRef>& out) const {
  ensureIndex();
  index_.query(area, out);
}

Point Diagram::drawnFarCorner() const {
  Point p;
  auto take = [&p](const Rect& r) {
    p.x = std::max(p.x, r.Right);
    p.y = std::max(p.y, r.Bottom);
  };
  for (const auto& s : sentences_)
    if (!s.Deleted) take(sentenceExtent(s));
  for (const auto& a : arrows_)
    if (!a.Deleted) take(arrowExtent(a));
  for (const auto& d : defeaters_)
    if (!d.Deleted) take(defeaterExtent(d));
  return p;
}

const LoadedArrowSides* Diagram::loadedSides(int32_t arrow) const {
  const auto it = std::lower_bound(loadedSides_.begin(), loadedSides_.end(), arrow,
                                   [](const auto& entry, int32_t n) { return entry.first < n; });
  return it != loadedSides_.end() && it->first == arrow ? &it->second : nullptr;
}

void Diagram::keepLoadedSides(int32_t arrow, LoadedArrowSides sides) {
  const auto it = std::lower_bound(loadedSides_.begin(), loadedSides_.end(), arrow,
                                   [](const auto& entry, int32_t n) { return entry.first < n; });
  if (it != loadedSides_.end() && it->first == arrow)
    it->second = std::move(sides);
  else
    loadedSides_.insert(it, {arrow, std::move(sides)});
}

void Diagram::reserve(size_t sentences, size_t arrows, size_t defeaters) {
  sentences_.reserve(sentences);
  arrows_.reserve(arrows);
  defeaters_.reserve(defeaters);
}

}  // namespace zorvex
