#pragma once
// The element store: every sentence, arrow and defeater of the diagram, their
// counters and names. Element number n of a kind exists for n = 0 .. count-1
// and is named "Sentence"+n, "Arrow"+n or "Defeater"+n. Deleted elements stay
// (they are only marked); nothing is renumbered.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Elements.h"
#include "model/SpatialIndex.h"

namespace zorvex {

// Left, Top and Text by which an arrow row names one of its sentences.
struct ArrowSide {
  int32_t Left = 0;
  int32_t Top = 0;
  std::string Text;
  friend bool operator==(const ArrowSide&, const ArrowSide&) = default;
};

// Both sides as the row of an arrow stored them, kept for an arrow with a
// side that did not resolve at loading: nothing else in memory remembers what
// that side named, and saving writes it back.
struct LoadedArrowSides {
  ArrowSide side1;
  ArrowSide side2;
  friend bool operator==(const LoadedArrowSides&, const LoadedArrowSides&) = default;
};

class Diagram {
 public:
  // Counters: sentences created, arrows completed, defeaters in existence.
  int32_t SentenceCount() const { return static_cast<int32_t>(sentences_.size()); }
  int32_t ArrowCount() const { return static_cast<int32_t>(arrows_.size()); }
  int32_t DefeaterCount() const { return static_cast<int32_t>(defeaters_.size()); }
  int32_t count(ElementKind kind) const {
    return kind == ElementKind::Sentence ? SentenceCount() : kind == ElementKind::Arrow ? ArrowCount() : DefeaterCount();
  }
  // Element `ref.index` of its kind has been counted (deleted or not).
  bool exists(ElementRef ref) const { return ref.index >= 0 && ref.index < count(ref.kind); }

  TSentence& sentence(int32_t n) { return sentences_.at(static_cast<size_t>(n)); }
  const TSentence& sentence(int32_t n) const { return sentences_.at(static_cast<size_t>(n)); }
  TArrow& arrow(int32_t n) { return arrows_.at(static_cast<size_t>(n)); }
  const TArrow& arrow(int32_t n) const { return arrows_.at(static_cast<size_t>(n)); }
  TDefeater& defeater(int32_t n) { return defeaters_.at(static_cast<size_t>(n)); }
  const TDefeater& defeater(int32_t n) const { return defeaters_.at(static_cast<size_t>(n)); }

  const std::vector<TSentence>& sentences() const { return sentences_; }
  const std::vector<TArrow>& arrows() const { return arrows_; }
  const std::vector<TDefeater>& defeaters() const { return defeaters_; }
  // Direct access for passes that change statuses only (no geometry).
  std::vector<TSentence>& sentencesForStatus() { return sentences_; }
  std::vector<TArrow>& arrowsForStatus() { return arrows_; }
  std::vector<TDefeater>& defeatersForStatus() { return defeaters_; }

  static std::string name(ElementKind kind, int32_t n);
  std::string name(ElementRef ref) const { return name(ref.kind, ref.index); }
  // Finds a counted element by its element name ("Sentence3"); nothing when no such element exists.
  std::optional<ElementRef> findByName(std::string_view elementName) const;

  // Creation. The sentence is counted at once (the creator has set it up).
  int32_t addSentence(TSentence s);
  // A completed arrow (loaded, or the pending one at its end sentence).
  int32_t addArrow(TArrow a);
  // The arrow under construction: named "Arrow"+ArrowCount, counted only when completed.
  TArrow& beginPendingArrow();
  bool hasPendingArrow() const { return pendingArrow_.has_value(); }
  TArrow& pendingArrow() { return pendingArrow_.value(); }
  const TArrow& pendingArrow() const { return pendingArrow_.value(); }
  int32_t completePendingArrow();  // returns the arrow's number
  void discardPendingArrow() { pendingArrow_.reset(); }
  // A defeater is counted from its creation; destroying the last one lowers the count.
  int32_t createDefeater();
  int32_t addDefeater(TDefeater d);
  void destroyLastDefeater();

  // Call after changing an element's geometry, so painting and hit tests see it.
  void geometryChanged(ElementRef ref);
  // Elements whose drawn extent meets the area; the index is built on first use.
  void query(const Rect& area, std::vector<ElementRef>& out) const;
  // The inclusive rectangle an element's drawing may touch.
  Rect drawnExtent(ElementRef ref) const;
  // Right and bottom edge of everything drawn (deleted elements excluded); (0,0) when empty.
  Point drawnFarCorner() const;

  void reserve(size_t sentences, size_t arrows, size_t defeaters);

  // The sides as loaded, for an arrow that loading could not resolve on some
  // side; nullptr for every other arrow.
  const LoadedArrowSides* loadedSides(int32_t arrow) const;
  // Kept by loading for the arrow it has just added.
  void keepLoadedSides(int32_t arrow, LoadedArrowSides sides);

 private:
  void ensureIndex() const;
  uint64_t nextZ() { return nextZ_++; }

  std::vector<TSentence> sentences_;
  std::vector<TArrow> arrows_;
  std::vector<TDefeater> defeaters_;
  std::optional<TArrow> pendingArrow_;
  // Few arrows have an unresolved side: kept apart, by ascending arrow number.
  std::vector<std::pair<int32_t, LoadedArrowSides>> loadedSides_;
  uint64_t nextZ_ = 1;
  mutable SpatialIndex index_;
  mutable bool indexBuilt_ = false;
};

// How far an arrow's head and a defeater's diamond reach around their end point.
constexpr int32_t ArrowHeadReach = 10;
constexpr int32_t DefeaterDiamondReach = 6;

Rect sentenceExtent(const TSentence& s);
Rect arrowExtent(const TArrow& a);
Rect defeaterExtent(const TDefeater& d);

}  // namespace zorvex
