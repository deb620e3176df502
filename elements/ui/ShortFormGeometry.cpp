#include "elements/ui/ShortFormGeometry.h"

#include "elements/Geometry.h"
#include "elements/ui/SentenceFont.h"

namespace zorvex {

Geometry sentenceFontGeometry(std::function<void()> beforeMeasuring) {
  Geometry g;
  g.textSize = [before = std::move(beforeMeasuring)](const std::string& text) {
    if (before) before();
    const QSize size = measureText(sentenceFont(), text);
    return TextSize{size.width(), size.height()};
  };
  g.startEnd = [](const Rect& a, const Rect& b) {
    const StartEnd se = ComputeStartEndPoints(a, b);
    return std::pair{se.start, se.end};
  };
  return g;
}

}  // namespace zorvex
