// render --scale: the whole diagram at one zoom step, as the window draws it
// there, with a margin round it; only the zoom ladder's values are taken.
#include <gtest/gtest.h>

#include <QImage>

#include "tests/tools/CliRun.h"
#include "tools/DiagramSource.h"
#include "viewport/DiagramBounds.h"
#include "viewport/ViewTransform.h"

namespace zorvex::tools::testing {
namespace {

// Two grey boxes with text, far apart, an arrow between them and a defeater.
const char* const Spread = R"({
  "sentences": [{"Left": -200, "Top": 40, "Text": "Far to the left", "Status": 4},
                {"Left": 900, "Top": 600, "Text": "Down to the right", "Status": 4}],
  "arrows": [{"From": 0, "To": 1, "Status": 4}],
  "defeaters": [{"ChallengingRect": [300, 0, 400, 80], "ChallengedRect": [500, 300, 700, 400]}]})";

constexpr unsigned Background = 0xD4D4D4, Black = 0, Grey = 0x808080;

unsigned rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

int countColour(const QImage& img, unsigned colour) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += rgb(img, x, y) == colour;
  return n;
}

class RenderScale : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(dir.file("d.json"), Spread); }
  QImage render(const std::string& scale) {
    const std::string out = dir.file("s.png");
    const CliRun run = runTool({"render", dir.file("d.json"), "-o", out, "--scale", scale});
    EXPECT_EQ(run.code, 0) << run.err;
    return QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
  }
  ScratchDir dir;
};

TEST_F(RenderScale, AtActualSizeThePictureIsTheDrawnPartWithAMargin) {
  const Rect b = *drawnBounds(loadDiagram(dir.file("d.json")));
  const QImage scaled = render("1");
  ASSERT_EQ(scaled.size(), QSize(b.Right - b.Left + 21, b.Bottom - b.Top + 21));
  // The plain picture starts at the origin, widened left with the same
  // margin to take in what lies left of it.
  ASSERT_EQ(runTool({"render", dir.file("d.json"), "-o", dir.file("p.png")}).code, 0);
  const QImage plain = QImage(QString::fromStdString(dir.file("p.png"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(plain.width(), b.Right - b.Left + 10 + 1);
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x) {
      const int sx = x, sy = y - b.Top + 10;
      if (sx < scaled.width() && sy < scaled.height()) {
        ASSERT_EQ(rgb(scaled, sx, sy), rgb(plain, x, y)) << x << ", " << y;
      }
    }
  EXPECT_EQ(rgb(scaled, 10, 40 - b.Top + 10), Grey);  // the left box's frame, at the margin
  EXPECT_EQ(rgb(scaled, 9, 40 - b.Top + 10), Background);
}

TEST_F(RenderScale, ZoomedOutNoTextZoomedInTextAtTwiceTheSize) {
  const Rect b = *drawnBounds(loadDiagram(dir.file("d.json")));
  const QImage quarter = render("1/4");
  EXPECT_EQ(quarter, render("0.25"));
  ViewTransform v;
  v.zoomTo(4, {});
  const ViewRect r = v.toView(b);
  EXPECT_EQ(quarter.size(), QSize(int(r.right - r.left + 21), int(r.bottom - r.top + 21)));
  EXPECT_EQ(rgb(quarter, 10, int(v.zoomed(40) - r.top + 10)), Grey);
  EXPECT_EQ(countColour(quarter, Black), 0);
  EXPECT_GT(countColour(quarter, Grey), 40);
  const int textAtOne = countColour(render("1"), Black);
  const int textAtTwo = countColour(render("2"), Black);
  EXPECT_GT(textAtOne, 50);
  EXPECT_GT(textAtTwo, 3 * textAtOne);
  const QImage far = render("1/64");
  EXPECT_LE(far.width(), 20 + 1200 / 64 + 2);
  EXPECT_GT(countColour(far, Grey), 1);
}

TEST_F(RenderScale, OnlyTheLaddersValuesAndPngAreTaken) {
  for (const char* bad : {"0.3", "3", "1/3", "16", "1/128", "abc", "1/0", "-1", ""}) {
    const CliRun run = runTool({"render", dir.file("d.json"), "-o", dir.file("x.png"), "--scale", bad});
    EXPECT_EQ(run.code, 2) << bad;
    EXPECT_NE(run.err.find("is not a zoom step: use 1/64, 1/32, 1/16, 1/8, 1/4, 1/2, 1, 2, 4 or 8"), std::string::npos)
        << bad << ": " << run.err;
  }
  const CliRun svg = runTool({"render", dir.file("d.json"), "-o", dir.file("x.svg"), "--scale", "1/2"});
  EXPECT_EQ(svg.code, 2);
  EXPECT_NE(svg.err.find("--scale draws PNG pictures only"), std::string::npos) << svg.err;
  writeFile(dir.file("wide.json"), R"({"sentences": [{"Left": 0, "Top": 0, "Text": "a"},
                                                      {"Left": 9000, "Top": 0, "Text": "b"}]})");
  const CliRun wide = runTool({"render", dir.file("wide.json"), "-o", dir.file("w.png"), "--scale", "4"});
  EXPECT_EQ(wide.code, 1);
  EXPECT_NE(wide.err.find("more than 32767 on a side"), std::string::npos) << wide.err;
}

}  // namespace
}  // namespace zorvex::tools::testing
