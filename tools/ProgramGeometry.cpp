#include "tools/ProgramGeometry.h"

#include "elements/Geometry.h"
#include "elements/ui/SentenceFont.h"

namespace zorvex::tools {

Geometry programGeometry(std::shared_ptr<GuiSession>& session) {
  Geometry g;
  g.textSize = [&session](const std::string& text) {
    if (!session) session = std::make_shared<GuiSession>();
    const QSize size = measureText(sentenceFont(), text);
    return TextSize{size.width(), size.height()};
  };
  g.startEnd = [](const Rect& a, const Rect& b) {
    const StartEnd se = ComputeStartEndPoints(a, b);
    return std::pair{se.start, se.end};
  };
  return g;
}

}  // namespace zorvex::tools
