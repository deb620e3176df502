#include "aif/DiagramArrangement.h"

#include <algorithm>
#include <type_traits>
#include <variant>
#include <unordered_map>

#include "aif/DefeaterRectangles.h"
#include "edit/DefeaterHolds.h"
#include "edit/DerivedGeometry.h"
#include "layout/LayoutSession.h"

namespace zorvex {

const char* const AlreadyArrangedText = "The diagram is already arranged.";
const char* const SelectionArrangedText = "The selection is already arranged.";
const char* const NothingSelectedText = "Select the sentences to arrange first.";

namespace {

constexpr int32_t Gap = 24;

struct Held {
  int32_t defeater;
  DefeaterHolding holds;
};

// What is drawn now, by element number, and what each defeater holds: the
// sentences to lay out, the arrows with an end among them, every defeater.
struct Current {
  std::vector<int32_t> sentences, arrows;
  std::vector<Held> defeaters;
  std::unordered_map<int32_t, int32_t> box;  // sentence number -> box number
  bool whole = true;                         // the whole diagram, not a selection
  bool moves(int32_t sentence) const { return box.count(sentence) > 0; }
};

bool liveArrow(const Diagram& d, int32_t n) {
  const TArrow& a = d.arrow(n);
  return !a.Deleted && a.resolved() && !d.sentence(a.Sentence1).Deleted && !d.sentence(a.Sentence2).Deleted;
}

Current currentOf(const Diagram& d, const std::vector<int32_t>* selection) {
  Current c;
  c.whole = selection == nullptr;
  const auto take = [&](int32_t n) {
    if (n < 0 || n >= d.SentenceCount() || d.sentence(n).Deleted || c.box.count(n)) return;
    c.box[n] = static_cast<int32_t>(c.sentences.size());
    c.sentences.push_back(n);
  };
  if (selection) {
    std::vector<int32_t> chosen = *selection;
    std::sort(chosen.begin(), chosen.end());
    for (int32_t n : chosen) take(n);
  } else {
    for (int32_t n = 0; n < d.SentenceCount(); ++n) take(n);
  }
  for (int32_t n = 0; n < d.ArrowCount(); ++n)
    if (liveArrow(d, n) && (c.moves(d.arrow(n).Sentence1) || c.moves(d.arrow(n).Sentence2))) c.arrows.push_back(n);
  for (int32_t n = 0; n < d.DefeaterCount(); ++n)
    if (!d.defeater(n).Deleted && !d.defeater(n).Incomplete) c.defeaters.push_back({n, defeaterHolds(d, n)});
  return c;
}

// Whether a defeater holds only sentences being laid out (and arrows between them).
bool heldWithin(const Diagram& d, const Current& c, const DefeaterHolding& h) {
  const auto within = [&](const std::vector<int32_t>& sentences) {
    return std::all_of(sentences.begin(), sentences.end(), [&](int32_t s) { return c.moves(s); });
  };
  const auto arrowsWithin = [&](const std::vector<int32_t>& arrows) {
    return std::all_of(arrows.begin(), arrows.end(), [&](int32_t a) {
      return c.moves(d.arrow(a).Sentence1) && c.moves(d.arrow(a).Sentence2);
    });
  };
  return within(h.challenging.sentences) && within(h.challenged.sentences) && arrowsWithin(h.challenging.arrows) &&
         arrowsWithin(h.challenged.arrows);
}

void addDefeaterWishes(LayoutInput& in, const Diagram& d, const Current& c, const DefeaterHolding& h) {
  if (!heldWithin(d, c, h)) return;
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
  for (int32_t n : c.sentences) {
    const TSentence& s = d.sentence(n);
    in.boxes.push_back({s.Right - s.Left, s.Bottom - s.Top});
    // A selection is laid out anew; the whole diagram keeps what is arranged.
    if (c.whole) in.present.push_back({s.Left, s.Top});
  }
  for (int32_t n : c.arrows)
    if (c.moves(d.arrow(n).Sentence1) && c.moves(d.arrow(n).Sentence2))
      in.links.push_back({c.box.at(d.arrow(n).Sentence1), c.box.at(d.arrow(n).Sentence2)});
  for (const Held& h : c.defeaters) addDefeaterWishes(in, d, c, h.holds);
  return in;
}

Rect unionOf(const Rect& a, const Rect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// Whether a defeater holds a sentence that moves, or an arrow at one.
bool touched(const Diagram& d, const std::vector<bool>& moved, const DefeaterHolding& h) {
  const auto moving = [&](const std::vector<int32_t>& sentences) {
    return std::any_of(sentences.begin(), sentences.end(), [&](int32_t s) { return moved[s]; });
  };
  const auto redrawn = [&](const std::vector<int32_t>& arrows) {
    return std::any_of(arrows.begin(), arrows.end(),
                       [&](int32_t a) { return moved[d.arrow(a).Sentence1] || moved[d.arrow(a).Sentence2]; });
  };
  return moving(h.challenging.sentences) || moving(h.challenged.sentences) || redrawn(h.challenging.arrows) ||
         redrawn(h.challenged.arrows);
}

// The diagram as it would be, and the defeaters that would then hold
// something else. A defeater none of whose sentences moves keeps its
// rectangles as they are drawn.
std::vector<int32_t> placeInto(Diagram& trial, const Current& c, const std::vector<Point>& corners) {
  std::vector<bool> moved(trial.SentenceCount(), false);
  for (size_t i = 0; i < c.sentences.size(); ++i) {
    TSentence& s = trial.sentence(c.sentences[i]);
    if (corners[i].x == s.Left && corners[i].y == s.Top) continue;
    moved[c.sentences[i]] = true;
    moveSentenceBy(s, corners[i].x - s.Left, corners[i].y - s.Top);
    trial.geometryChanged({ElementKind::Sentence, c.sentences[i]});
  }
  for (int32_t n : c.arrows) {
    TArrow& a = trial.arrow(n);
    if (!moved[a.Sentence1] && !moved[a.Sentence2]) continue;
    placeArrow(a, trial.sentence(a.Sentence1).box(), trial.sentence(a.Sentence2).box());
    trial.geometryChanged({ElementKind::Arrow, n});
  }
  for (const Held& h : c.defeaters) {
    if (!touched(trial, moved, h.holds)) continue;
    TDefeater& f = trial.defeater(h.defeater);
    f.ChallengingRect = rectangleAround(trial, h.holds.challenging.sentences);
    const bool sentences = !h.holds.challenged.sentences.empty(), arrows = !h.holds.challenged.arrows.empty();
    const Rect around = rectangleAround(trial, h.holds.challenged.sentences);
    const Rect spanning = rectangleSpanning(trial, h.holds.challenged.arrows);
    f.ChallengedRect = sentences && arrows ? unionOf(around, spanning) : sentences ? around : spanning;
    placeDefeater(f);
    trial.geometryChanged({ElementKind::Defeater, h.defeater});
  }
  std::vector<int32_t> failed;
  for (const Held& h : c.defeaters)
    if (defeaterHolds(trial, h.defeater) != h.holds) failed.push_back(h.defeater);
  return failed;
}

// The boxes of what a defeater holds, among those laid out.
void addBoxesHeld(const Diagram& d, const Current& c, const Held& h, std::vector<int32_t>& boxes) {
  const auto add = [&](int32_t sentence) {
    const auto it = c.box.find(sentence);
    if (it != c.box.end()) boxes.push_back(it->second);
  };
  for (const RectangleHolds* side : {&h.holds.challenging, &h.holds.challenged}) {
    for (int32_t s : side->sentences) add(s);
    for (int32_t a : side->arrows) add(d.arrow(a).Sentence1), add(d.arrow(a).Sentence2);
  }
}

// The boxes of what the defeaters (ascending) held: their parts are laid out again.
std::vector<int32_t> boxesHeldBy(const Diagram& d, const Current& c, const std::vector<int32_t>& defeaters) {
  std::vector<int32_t> boxes;
  for (const Held& h : c.defeaters)
    if (std::binary_search(defeaters.begin(), defeaters.end(), h.defeater)) addBoxesHeld(d, c, h, boxes);
  return boxes;
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

std::string refusalFor(const char* command, int32_t defeater) {
  return std::string(command) + " would change what " + Diagram::name(ElementKind::Defeater, defeater) +
         " holds: nothing was moved";
}

// A selection's new picture where the selection was: its top left corner at the selection's.
void moveToSelection(std::vector<Point>& corners, const Diagram& d, const Current& c) {
  if (c.whole || corners.empty()) return;
  int32_t left = INT32_MAX, top = INT32_MAX, newLeft = INT32_MAX, newTop = INT32_MAX;
  for (size_t i = 0; i < c.sentences.size(); ++i) {
    left = std::min(left, d.sentence(c.sentences[i]).Left);
    top = std::min(top, d.sentence(c.sentences[i]).Top);
    newLeft = std::min(newLeft, corners[i].x);
    newTop = std::min(newTop, corners[i].y);
  }
  for (Point& p : corners) p = {p.x - newLeft + left, p.y - newTop + top};
}

UndoStep stepOf(const Diagram& d, const Diagram& trial, const Current& c, const char* command) {
  UndoStep step;
  step.name = command;
  const auto note = [&](ElementRef ref) {
    ElementRecord now = RecordOf(d, ref), then = RecordOf(trial, ref);
    if (!samePlace(now, then)) step.elements.push_back({ref, std::move(now), std::move(then)});
  };
  for (int32_t n : c.sentences) note({ElementKind::Sentence, n});
  for (int32_t n : c.arrows) note({ElementKind::Arrow, n});
  for (const Held& h : c.defeaters) note({ElementKind::Defeater, h.defeater});
  return step;
}

std::string doneText(const Current& c, const std::vector<int32_t>& keptFor) {
  std::string text = arrangedText(c.sentences.size());
  if (keptFor.empty()) return text;
  text += " Left as they stood, so that their defeaters keep what they hold: the parts of ";
  for (size_t i = 0; i < keptFor.size() && i < 3; ++i)
    text += (i ? ", " : "") + Diagram::name(ElementKind::Defeater, keptFor[i]);
  return text + (keptFor.size() > 3 ? " and " + std::to_string(keptFor.size() - 3) + " more." : ".");
}

// Laid out; the parts of defeaters that would hold something else laid out
// again with more room, then (arranging the whole diagram) left as they stand.
Arrangement arrange(Diagram& d, const Current& c, size_t layeredLimit, const char* command, const char* already) {
  for (const Held& h : c.defeaters) {
    const bool empty = h.holds.challenging.sentences.empty() ||
                       (h.holds.challenged.sentences.empty() && h.holds.challenged.arrows.empty());
    std::vector<int32_t> held;
    if (empty && !c.whole) addBoxesHeld(d, c, h, held);
    if (empty && (c.whole || !held.empty())) return {std::nullopt, {}, refusalFor(command, h.defeater)};
  }
  const LayoutInput input = layoutInput(d, c, Gap);
  LayoutSession session(input, layeredLimit);
  LayoutOutput placed = session.output();
  std::vector<int32_t> keptFor;
  for (int tries = 0;; ++tries) {
    Diagram trial = d;
    moveToSelection(placed.corners, d, c);
    const std::vector<int32_t> failed = placeInto(trial, c, placed.corners);
    if (failed.empty()) {
      UndoStep step = stepOf(d, trial, c, command);
      if (step.elements.empty()) return {std::nullopt, {}, already};
      // Done as redoing the step would do it, so undo and redo meet the same records.
      step.apply(d, false);
      return {std::move(step), doneText(c, keptFor), {}};
    }
    const std::vector<int32_t> boxes = boxesHeldBy(d, c, failed);
    if (tries == 0 && !boxes.empty()) {
      placed = session.again(boxes);
    } else if (tries == 1 && c.whole && !boxes.empty()) {
      placed = session.keepAsTheyStand(boxes);
      keptFor = failed;
    } else {
      return {std::nullopt, {}, refusalFor(command, failed.front())};
    }
  }
}

}  // namespace

Arrangement arrangeDiagram(Diagram& d, size_t layeredLimit) {
  return arrange(d, currentOf(d, nullptr), layeredLimit, "Arrange Diagram", AlreadyArrangedText);
}

Arrangement arrangeSelection(Diagram& d, const std::vector<int32_t>& sentences, size_t layeredLimit) {
  const Current c = currentOf(d, &sentences);
  if (c.sentences.empty()) return {std::nullopt, {}, NothingSelectedText};
  return arrange(d, c, layeredLimit, "Arrange Selection", SelectionArrangedText);
}

}  // namespace zorvex
