#include "elements/ui/ViewShapes.h"

#include "elements/ui/ElementPainter.h"

namespace zorvex {
namespace {

ElementColours makeColours(const PaintOptions& options) {
  ElementColours c{};
  c.palette = *options.palette;
  for (int status = 0; status < 256; ++status) {
    for (int selected = 0; selected < 2; ++selected) {
      TSentence s;
      s.Status = static_cast<Status>(status);
      s.Selected = selected != 0;
      c.sentenceFrame[status][selected] = sentenceFrameColour(s, options).rgba();
      c.sentenceFill[status] = sentenceFillColour(s, options).rgba();
      TArrow a;
      a.Status = s.Status;
      a.Selected = s.Selected;
      c.arrow[status][selected] = arrowColour(a, options).rgba();
      TDefeater f;
      f.DefeaterState = static_cast<DefeaterState>(status);
      f.Selected = s.Selected;
      c.defeater[status][selected] = defeaterColour(f, options).rgba();
    }
  }
  return c;
}

}  // namespace

const ElementColours& elementColours(const PaintOptions& options) {
  static const ElementColours tables[2][2] = {{makeColours({.selection = false, .palette = Palette::Standard}),
                                               makeColours({.selection = true, .palette = Palette::Standard})},
                                              {makeColours({.selection = false, .palette = Palette::Safe}),
                                               makeColours({.selection = true, .palette = Palette::Safe})}};
  return tables[options.paletteNow() == Palette::Safe ? 1 : 0][options.selection ? 1 : 0];
}

}  // namespace zorvex
