#include "argdown/PlacedDrawing.h"

#include "aif/DefeaterRectangles.h"
#include "edit/DerivedGeometry.h"
#include "edit/DiagramEdit.h"

namespace zorvex {
namespace {

void addSentence(DiagramEdit& edit, Point corner, const std::string& text, TextSize size) {
  try {
    edit.addSentence(corner, text, size);
  } catch (const EditRefused&) {
    // Two statements of one text: drawing refuses that, the text keeps both.
    TSentence s;
    s.Text = text;
    placeAddedSentence(s, corner, size);
    edit.diagram().addSentence(std::move(s));
  }
}

void addArrow(DiagramEdit& edit, const MapArrow& m) {
  try {
    edit.addArrow(m.from, m.to);
  } catch (const EditRefused&) {
    Diagram& d = edit.diagram();
    TArrow a;
    a.Sentence1 = m.from;
    a.Sentence2 = m.to;
    placeArrow(a, d.sentence(m.from).box(), d.sentence(m.to).box());
    d.addArrow(std::move(a));
  }
}

}  // namespace

DrawnMap drawPlacedMap(Diagram& into, const ArgumentMap& map, const std::vector<Point>& corners,
                       const TextMeasure& measure) {
  Diagram d;
  d.reserve(map.texts.size(), map.arrows.size(), map.defeaters.size());
  DiagramEdit edit(d);
  for (size_t i = 0; i < map.texts.size(); ++i) addSentence(edit, corners[i], map.texts[i], measure(map.texts[i]));
  for (const MapArrow& a : map.arrows) addArrow(edit, a);
  for (const MapDefeater& m : map.defeaters) {
    const Rect challenged =
        m.undercuts() ? rectangleSpanning(d, m.targetArrows) : rectangleAround(d, {m.targetSentence});
    edit.addDefeater(rectangleAround(d, m.attackers), challenged);
  }
  DrawnMap drawn;
  for (size_t n = 0; n < map.defeaters.size(); ++n)
    if (!holdsExactly(d, static_cast<int32_t>(n), map.defeaters[n])) drawn.inexact.push_back(static_cast<int32_t>(n));
  into = std::move(d);
  return drawn;
}

}  // namespace zorvex
