#include "elements/ui/ShortFormGeometry.h"

#include "elements/ui/SentenceFont.h"

namespace zorvex {

Geometry sentenceFontGeometry(std::function<void()> beforeMeasuring) {
  Geometry g = borderPointGeometry();
  g.textSize = [before = std::move(beforeMeasuring)](const std::string& text) {
    if (before) before();
    const QSize size = measureText(sentenceFont(), text);
    return TextSize{size.width(), size.height()};
  };
  return g;
}

}  // namespace zorvex
