// On a display of device pixel ratio 2 the surface is drawn in the
// display's own pixels, and the pointer's clicks and drags land where it is.
// The ratio is fixed before the application is made, so the test runs itself
// again in a child process with QT_SCALE_FACTOR=2.
#include <QCoreApplication>
#include <QProcess>
#include <QToolButton>
#include <gtest/gtest.h>

#include "tests/app/AppTestSupport.h"

namespace zorvex::testing {
namespace {

constexpr const char* ChildMark = "ZORVEX_SCALE_TWO_CHILD";

class ScaleTwoWindowTest : public AppTest {};

void dragAndDrawAtRatioTwo(TArgumentForm& f) {
  QWidget* canvas = f.canvasWidget();
  ASSERT_EQ(canvas->devicePixelRatio(), 2.0);
  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(55, 50));
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(315, 50));
  ASSERT_EQ(f.diagram().ArrowCount(), 1);
  // The shaft along y = 50 covers both display rows of its logical row.
  QApplication::processEvents();
  const QImage shot = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.width(), 2 * canvas->width());
  for (int x = 2 * 110; x < 2 * 290; ++x)
    for (int y : {100, 101}) ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, 0x808080u) << x << ", " << y;

  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QTest::mousePress(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(45, 45));
  ASSERT_EQ(f.editor().editMode(), EditMode::DraggingSentenceMode);
  QTest::mouseMove(canvas, QPoint(95, 85));
  QTest::mouseMove(canvas, QPoint(145, 125));
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(145, 125));
  const TSentence& alpha = f.diagram().sentence(0);
  EXPECT_EQ(alpha.Left, 140);
  EXPECT_EQ(alpha.Top, 120);
  // A right click where the box now is finds it there.
  f.runPopupMenu = [](QMenu&, QPoint) {};
  QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(141, 121));
  EXPECT_EQ(f.sentencePopupTarget(), std::optional<int32_t>(0));
}

TEST_F(ScaleTwoWindowTest, DrawsInDisplayPixelsAndDragsLandUnderThePointer) {
  if (qEnvironmentVariableIsSet(ChildMark)) {
    writeSentences({{40, 40, 100, 60, "Alpha"}, {300, 40, 360, 60, "Beta"}});
    writeArrowsAndDefeaters();
    dragAndDrawAtRatioTwo(start());
    return;
  }
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
  env.insert(QString::fromLatin1(ChildMark), QStringLiteral("1"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=ScaleTwoWindowTest.DrawsInDisplayPixelsAndDragsLandUnderThePointer")});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString out = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test."))) << out.toStdString();
}

}  // namespace
}  // namespace zorvex::testing
