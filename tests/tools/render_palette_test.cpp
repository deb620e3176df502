// render --palette: the standard colours by default, the safe ones with
// their status marks on request, at full size and zoomed out alike.
#include <gtest/gtest.h>

#include <QImage>

#include "elements/StatusPalette.h"
#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {
namespace {

// Not evaluated; justified, newly evaluated and flipped; an active defeater.
const char* const Diagram = R"({
  "sentences": [{"Left": 40, "Top": 40, "Text": "Not yet", "Status": 4},
                {"Left": 40, "Top": 200, "Text": "Flipped over", "Status": 26}],
  "defeaters": [{"ChallengingRect": [300, 20, 400, 80], "ChallengedRect": [300, 300, 400, 380],
                 "DefeaterState": 1}]})";

unsigned paletteRgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

int countPaletteRgb(const QImage& img, const QRect& r, unsigned colour) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += paletteRgb(img, x, y) == colour;
  return n;
}

class RenderPalette : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(dir.file("d.json"), Diagram); }
  QImage render(std::vector<std::string> extra) {
    std::vector<std::string> args{"render", dir.file("d.json"), "-o", dir.file("p.png")};
    args.insert(args.end(), extra.begin(), extra.end());
    const CliRun run = runTool(args);
    EXPECT_EQ(run.code, 0) << run.err;
    return QImage(QString::fromStdString(dir.file("p.png"))).convertToFormat(QImage::Format_RGB32);
  }
  ScratchDir dir;
};

TEST_F(RenderPalette, SafeColoursAndMarksOnlyWhenAsked) {
  const QImage plain = render({});
  const QImage named = render({"--palette", "standard"});
  EXPECT_EQ(plain, named);
  EXPECT_EQ(paletteRgb(plain, 41, 41), 0xC0C0C0u);
  EXPECT_EQ(paletteRgb(plain, 41, 201), 0x00FF00u);
  EXPECT_EQ(paletteRgb(plain, 350, 20), 0xFF0000u);  // the active defeater's top edge
  const QImage safe = render({"--palette", "safe"});
  EXPECT_EQ(paletteRgb(safe, 41, 41), sentenceFillRgb(Palette::Safe, NotEvaluated));
  EXPECT_EQ(paletteRgb(safe, 40, 40), sentenceFrameRgb(Palette::Safe, NotEvaluated, false));
  EXPECT_EQ(paletteRgb(safe, 41, 201), 0x00568Au);
  EXPECT_EQ(paletteRgb(safe, 40, 200), sentenceFrameRgb(Palette::Safe, Undefeated | JustEvaluated, false));
  EXPECT_EQ(paletteRgb(safe, 350, 20), defeaterRgb(Palette::Safe, DefeaterState::Active, false));
  // Dark fill, light text; the badge with its glyph in the box's far corner.
  const QRect flipped(41, 201, 60, 12);
  EXPECT_GT(countPaletteRgb(safe, flipped, 0xFFFFFF), 20);
  EXPECT_EQ(countPaletteRgb(plain, flipped, 0xFFFFFF), 0);
  int right = 40;
  while (paletteRgb(plain, right + 1, 41) != 0xD4D4D4) ++right;
  int bottom = 40;
  while (paletteRgb(plain, 41, bottom + 1) != 0xD4D4D4) ++bottom;
  const QRect badge(right - MarkSide + 1, bottom - MarkSide + 1, MarkSide, MarkSide);
  EXPECT_EQ(countPaletteRgb(safe, badge, MarkBadgeRgb) + countPaletteRgb(safe, badge, MarkGlyphRgb),
            MarkSide * MarkSide);
  EXPECT_GE(countPaletteRgb(safe, badge, MarkGlyphRgb), 8);  // the question mark
  EXPECT_EQ(countPaletteRgb(plain, badge, MarkBadgeRgb), 0);
  // Zoomed out, without text, the marks and colours stay.
  const QImage half = render({"--palette", "safe", "--scale", "1/2"});
  EXPECT_GT(countPaletteRgb(half, half.rect(), MarkBadgeRgb), 0);
  EXPECT_EQ(countPaletteRgb(render({"--scale", "1/2"}), half.rect(), MarkBadgeRgb), 0);
  // The palette was for that picture only.
  EXPECT_EQ(paletteInUse(), Palette::Standard);
  const CliRun wrong = runTool({"render", dir.file("d.json"), "-o", dir.file("w.png"), "--palette", "pink"});
  EXPECT_NE(wrong.code, 0);
  EXPECT_NE(wrong.err.find("--palette pink: use standard or safe"), std::string::npos) << wrong.err;
}

}  // namespace
}  // namespace zorvex::tools::testing
