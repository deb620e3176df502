#include "aif/MapDrawing.h"

#include <algorithm>
#include <limits>

#include "aif/DefeaterRectangles.h"
#include "edit/DefeaterHolds.h"
#include "edit/DerivedGeometry.h"
#include "edit/DiagramEdit.h"
#include "layout/LayoutSession.h"

namespace zorvex {
namespace {

constexpr int32_t Gap = 24;

int32_t besideWhat(const ArgumentMap& map, const MapDefeater& d) {
  return d.undercuts() ? map.arrows[d.targetArrows.front()].to : d.targetSentence;
}

LayoutInput layoutInput(const ArgumentMap& map, const std::vector<LayoutBox>& boxes, int32_t gap) {
  LayoutInput in;
  in.boxes = boxes;
  in.gap = gap;
  for (const MapArrow& a : map.arrows) in.links.push_back({a.from, a.to});
  for (const MapDefeater& d : map.defeaters) {
    for (int32_t a : d.attackers) in.beside.push_back({a, besideWhat(map, d)});
    if (d.attackers.size() > 1) in.groups.push_back(d.attackers);
    if (!d.undercuts()) continue;
    if (d.targetArrows.size() == 1) {
      const MapArrow& a = map.arrows[d.targetArrows.front()];
      in.straight.push_back({a.from, a.to});
    } else {
      std::vector<int32_t> premises;
      for (int32_t n : d.targetArrows) premises.push_back(map.arrows[n].from);
      in.groups.push_back(std::move(premises));
    }
  }
  return in;
}

void addSentences(DiagramEdit& edit, const ArgumentMap& map, const std::vector<TextSize>& sizes,
                  const std::vector<Point>& corners) {
  for (size_t i = 0; i < map.texts.size(); ++i) {
    try {
      edit.addSentence(corners[i], map.texts[i], sizes[i]);
    } catch (const EditRefused&) {
      // The map may say the same thing twice; drawing refuses that, the map keeps both.
      TSentence s;
      s.Text = map.texts[i];
      placeAddedSentence(s, corners[i], sizes[i]);
      edit.diagram().addSentence(std::move(s));
    }
  }
}

void addArrows(DiagramEdit& edit, const ArgumentMap& map) {
  Diagram& d = edit.diagram();
  for (const MapArrow& m : map.arrows) {
    try {
      edit.addArrow(m.from, m.to);
    } catch (const EditRefused&) {
      // Two inferences between the same sentences, or sentences of one text.
      TArrow a;
      a.Sentence1 = m.from;
      a.Sentence2 = m.to;
      placeArrow(a, d.sentence(m.from).box(), d.sentence(m.to).box());
      d.addArrow(std::move(a));
    }
  }
}

void addDefeaters(DiagramEdit& edit, const ArgumentMap& map) {
  const Diagram& d = edit.diagram();
  for (const MapDefeater& m : map.defeaters) {
    const Rect challenged =
        m.undercuts() ? rectangleSpanning(d, m.targetArrows) : rectangleAround(d, {m.targetSentence});
    edit.addDefeater(rectangleAround(d, m.attackers), challenged);
  }
}

std::vector<int32_t> inexactDefeaters(const Diagram& d, const ArgumentMap& map) {
  std::vector<int32_t> out;
  for (size_t n = 0; n < map.defeaters.size(); ++n)
    if (!holdsExactly(d, static_cast<int32_t>(n), map.defeaters[n])) out.push_back(static_cast<int32_t>(n));
  return out;
}

}  // namespace

bool holdsExactly(const Diagram& d, int32_t defeater, const MapDefeater& meaning) {
  const DefeaterHolding h = defeaterHolds(d, defeater);
  if (h.challenging.sentences != meaning.attackers) return false;
  const auto attacker = [&](int32_t s) {
    return std::binary_search(meaning.attackers.begin(), meaning.attackers.end(), s);
  };
  for (int32_t a : h.challenging.arrows)
    if (!attacker(d.arrow(a).Sentence1) || !attacker(d.arrow(a).Sentence2)) return false;
  if (!meaning.undercuts())
    return h.challenged.sentences == std::vector<int32_t>{meaning.targetSentence} && h.challenged.arrows.empty();
  std::vector<int32_t> targets = meaning.targetArrows;
  std::sort(targets.begin(), targets.end());
  return h.challenged.sentences.empty() && h.challenged.arrows == targets;
}

namespace {

// The sentences a defeater relates: their parts are laid out again when it is not exact.
std::vector<int32_t> relatedSentences(const ArgumentMap& map, const std::vector<int32_t>& defeaters) {
  std::vector<int32_t> out;
  for (int32_t n : defeaters) {
    const MapDefeater& d = map.defeaters[n];
    out.insert(out.end(), d.attackers.begin(), d.attackers.end());
    out.push_back(besideWhat(map, d));
  }
  return out;
}

Diagram drawn(const ArgumentMap& map, const std::vector<TextSize>& sizes, const std::vector<Point>& corners) {
  Diagram d;
  d.reserve(map.texts.size(), map.arrows.size(), map.defeaters.size());
  DiagramEdit edit(d);
  addSentences(edit, map, sizes, corners);
  addArrows(edit, map);
  addDefeaters(edit, map);
  return d;
}

// Drawing a large map again costs seconds: it gets one more try, a smaller one two.
size_t triesAgain(const ArgumentMap& map) { return map.texts.size() > 20000 ? 1 : 2; }

}  // namespace

DrawnMap drawMap(Diagram& into, const ArgumentMap& map, const TextMeasure& measure, size_t layeredLimit) {
  std::vector<TextSize> sizes;
  std::vector<LayoutBox> boxes;
  for (const std::string& text : map.texts) {
    sizes.push_back(measure(text));
    const Rect box = addedSentenceBox({0, 0}, sizes.back());
    boxes.push_back({box.Right - box.Left, box.Bottom - box.Top});
  }
  const LayoutInput input = layoutInput(map, boxes, Gap);
  LayoutSession session(input, layeredLimit);
  LayoutOutput placed = session.output();
  DrawnMap best;
  size_t bestCount = std::numeric_limits<size_t>::max();
  for (size_t tries = 0;; ++tries) {
    Diagram d = drawn(map, sizes, placed.corners);
    std::vector<int32_t> inexact = inexactDefeaters(d, map);
    if (inexact.size() < bestCount) {
      bestCount = inexact.size();
      best = {placed.method, placed.failure, inexact};
      into = std::move(d);
    }
    if (bestCount == 0 || tries == triesAgain(map)) break;
    placed = session.again(relatedSentences(map, inexact));
  }
  best.failure = placed.failure;
  return best;
}

}  // namespace zorvex
