#include "aif/DiagramArrangement.h"

#include <algorithm>
#include <type_traits>
#include <variant>
#include <unordered_map>

#include "aif/DefeaterRectangles.h"
#include "edit/DefeaterHolds.h"
#include "edit/DerivedGeometry.h"

namespace zorvex {

const char* const AlreadyArrangedText = "The diagram is already arranged.";

namespace {

constexpr int32_t Gaps[] = {24, 64};

struct Held {
  int32_t defeater;
  DefeaterHolding holds;
};

// What is drawn now, by element number, and what each defeater holds.
struct Current {
  std::vector<int32_t> sentences, arrows;
  std::vector<Held> defeaters;
  std::unordered_map<int32_t, int32_t> box;  // sentence number -> box number
};

bool liveArrow(const Diagram& d, int32_t n) {
  const TArrow& a = d.arrow(n);
  return !a.Deleted && a.resolved() && !d.sentence(a.Sentence1).Deleted && !d.sentence(a.Sentence2).Deleted;
}

Current currentOf(const Diagram& d) {
  Current c;
  for (int32_t n = 0; n < d.SentenceCount(); ++n)
    if (!d.sentence(n).Deleted) {
      c.box[n] = static_cast<int32_t>(c.sentences.size());
      c.sentences.push_back(n);
    }
  for (int32_t n = 0; n < d.ArrowCount(); ++n)
    if (liveArrow(d, n)) c.arrows.push_back(n);
  for (int32_t n = 0; n < d.DefeaterCount(); ++n)
    if (!d.defeater(n).Deleted && !d.defeater(n).Incomplete) c.defeaters.push_back({n, defeaterHolds(d, n)});
  return c;
}

void addDefeaterWishes(LayoutInput& in, const Diagram& d, const Current& c, const DefeaterHolding& h) {
  const std::vector<int32_t>& targets = h.challenged.sentences;
  const int32_t anchor = !targets.empty()               ? c.box.at(targets.front())
                         : !h.challenged.arrows.empty() ? c.box.at(d.arrow(h.challenged.arrows.front()).Sentence2)
                                                        : -1;
  std::vector<int32_t> attackers;
  for (int32_t s : h.challenging.sentences) attackers.push_back(c.box.at(s));
  if (anchor >= 0)
    for (int32_t a : attackers) in.beside.push_back({a, anchor});
  if (attackers.size() > 1) in.groups.push_back(attackers);
  if (targets.size() > 1) {
    std::vector<int32_t> group;
    for (int32_t s : targets) group.push_back(c.box.at(s));
    in.groups.push_back(std::move(group));
  } else if (targets.empty() && h.challenged.arrows.size() == 1) {
    const TArrow& a = d.arrow(h.challenged.arrows.front());
    in.straight.push_back({c.box.at(a.Sentence1), c.box.at(a.Sentence2)});
  } else if (targets.empty() && h.challenged.arrows.size() > 1) {
    std::vector<int32_t> premises;
    for (int32_t a : h.challenged.arrows) premises.push_back(c.box.at(d.arrow(a).Sentence1));
    in.groups.push_back(std::move(premises));
  }
}

LayoutInput layoutInput(const Diagram& d, const Current& c, int32_t gap) {
  LayoutInput in;
  in.gap = gap;
  for (int32_t n : c.sentences)
    in.boxes.push_back({d.sentence(n).Right - d.sentence(n).Left, d.sentence(n).Bottom - d.sentence(n).Top});
  for (int32_t n : c.arrows) in.links.push_back({c.box.at(d.arrow(n).Sentence1), c.box.at(d.arrow(n).Sentence2)});
  for (const Held& h : c.defeaters) addDefeaterWishes(in, d, c, h.holds);
  return in;
}

Rect unionOf(const Rect& a, const Rect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// The diagram as it would be, or the first defeater that would hold something else.
std::optional<int32_t> placeInto(Diagram& trial, const Current& c, const std::vector<Point>& corners) {
  for (size_t i = 0; i < c.sentences.size(); ++i) {
    TSentence& s = trial.sentence(c.sentences[i]);
    moveSentenceBy(s, corners[i].x - s.Left, corners[i].y - s.Top);
    trial.geometryChanged({ElementKind::Sentence, c.sentences[i]});
  }
  for (int32_t n : c.arrows) {
    TArrow& a = trial.arrow(n);
    placeArrow(a, trial.sentence(a.Sentence1).box(), trial.sentence(a.Sentence2).box());
    trial.geometryChanged({ElementKind::Arrow, n});
  }
  for (const Held& h : c.defeaters) {
    TDefeater& f = trial.defeater(h.defeater);
    f.ChallengingRect = rectangleAround(trial, h.holds.challenging.sentences);
    const bool sentences = !h.holds.challenged.sentences.empty(), arrows = !h.holds.challenged.arrows.empty();
    const Rect around = rectangleAround(trial, h.holds.challenged.sentences);
    const Rect spanning = rectangleSpanning(trial, h.holds.challenged.arrows);
    f.ChallengedRect = sentences && arrows ? unionOf(around, spanning) : sentences ? around : spanning;
    placeDefeater(f);
    trial.geometryChanged({ElementKind::Defeater, h.defeater});
  }
  for (const Held& h : c.defeaters)
    if (defeaterHolds(trial, h.defeater) != h.holds) return h.defeater;
  return std::nullopt;
}

// Everything an arrangement may change: where an element is and what it
// spans. Statuses and marks it leaves alone.
bool samePlace(const TSentence& a, const TSentence& b) {
  return a.box() == b.box() && a.Width == b.Width && a.Height == b.Height;
}
bool samePlace(const TArrow& a, const TArrow& b) {
  return a.Center1X == b.Center1X && a.Center1Y == b.Center1Y && a.Center2X == b.Center2X &&
         a.Center2Y == b.Center2Y && a.StartX == b.StartX && a.StartY == b.StartY && a.EndX == b.EndX &&
         a.EndY == b.EndY && a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}
bool samePlace(const TDefeater& a, const TDefeater& b) {
  return a.ChallengingRect == b.ChallengingRect && a.ChallengedRect == b.ChallengedRect &&
         a.Center1X == b.Center1X && a.Center1Y == b.Center1Y && a.Center2X == b.Center2X &&
         a.Center2Y == b.Center2Y && a.StartX == b.StartX && a.StartY == b.StartY && a.EndX == b.EndX &&
         a.EndY == b.EndY && a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}
bool samePlace(const ElementRecord& a, const ElementRecord& b) {
  return std::visit([&](const auto& r) { return samePlace(r, std::get<std::decay_t<decltype(r)>>(b)); }, a);
}

std::string arrangedText(size_t sentences) {
  return "Arranged " + std::to_string(sentences) + (sentences == 1 ? " sentence." : " sentences.");
}

std::string refusalFor(int32_t defeater) {
  return "Arrange Diagram would change what " + Diagram::name(ElementKind::Defeater, defeater) +
         " holds: nothing was moved";
}

}  // namespace

Arrangement arrangeDiagram(Diagram& d, size_t layeredLimit) {
  const Current c = currentOf(d);
  for (const Held& h : c.defeaters)
    if (h.holds.challenging.sentences.empty() ||
        (h.holds.challenged.sentences.empty() && h.holds.challenged.arrows.empty()))
      return {std::nullopt, {}, refusalFor(h.defeater)};
  std::optional<int32_t> failed;
  for (int32_t gap : Gaps) {
    Diagram trial = d;
    const LayoutOutput placed = layOutBoxes(layoutInput(d, c, gap), layeredLimit);
    if (placed.failure != LayeredFailure::None) layeredLimit = 0;  // the rows from now on
    failed = placeInto(trial, c, placed.corners);
    if (failed) continue;
    UndoStep step;
    step.name = "Arrange Diagram";
    const auto note = [&](ElementRef ref) {
      ElementRecord now = RecordOf(d, ref), then = RecordOf(trial, ref);
      if (!samePlace(now, then)) step.elements.push_back({ref, std::move(now), std::move(then)});
    };
    for (int32_t n : c.sentences) note({ElementKind::Sentence, n});
    for (int32_t n : c.arrows) note({ElementKind::Arrow, n});
    for (const Held& h : c.defeaters) note({ElementKind::Defeater, h.defeater});
    if (step.elements.empty()) return {std::nullopt, {}, AlreadyArrangedText};
    // Done as redoing the step would do it, so undo and redo meet the same records.
    step.apply(d, false);
    return {std::move(step), arrangedText(c.sentences.size()), {}};
  }
  return {std::nullopt, {}, refusalFor(*failed)};
}

}  // namespace zorvex
