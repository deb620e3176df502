// The drawing surface as a view onto the whole diagram: scroll bars, the
// wheel, zoom, Find, and editing while scrolled and zoomed, through the real
// window.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QInputDialog>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/SurfaceViewport.h"
#include "app/ui/ViewCommands.h"
#include "editor/ArgumentEditor.h"

namespace zorvex::testing {
namespace {

class ViewWindowTest : public AppTest {
 protected:
  // Two sentences near the origin, one far below and right, one at negative coordinates.
  TArgumentForm& startWithSpreadDiagram() {
    writeSentences({{40, 40, 100, 60, "Alpha"},
                    {200, 40, 260, 60, "Beta"},
                    {5000, 4000, 5060, 4020, "Far one"},
                    {5200, 4000, 5260, 4020, "Far two"},
                    {-400, -300, -340, -280, "Negative"}});
    writeArrowsAndDefeaters();
    return start();
  }
  static QPoint at(TArgumentForm& f, Point diagramPoint) {
    const ViewPoint v = f.surfaceViewport().view().toView(diagramPoint);
    return QPoint(static_cast<int>(v.x), static_cast<int>(v.y));
  }
  static QImage grab(TArgumentForm& f) {
    QApplication::processEvents();
    return f.canvasWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  // Where a part of a scroll bar (an arrow, the thumb, the groove beside it) lies.
  static QRect barPart(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider o;
    o.initFrom(bar);
    o.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal) o.state |= QStyle::State_Horizontal;
    o.minimum = bar->minimum();
    o.maximum = bar->maximum();
    o.sliderPosition = bar->sliderPosition();
    o.sliderValue = bar->value();
    o.singleStep = bar->singleStep();
    o.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, part, bar);
  }
  static void wheel(TArgumentForm& f, QPoint pos, int delta, Qt::KeyboardModifiers keys) {
    QWidget* c = f.canvasWidget();
    QWheelEvent e(QPointF(pos), QPointF(c->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton, keys,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(c, &e);
  }
};

TEST_F(ViewWindowTest, ADiagramInsideTheWindowShowsNoBarsAndStaysAtTheOrigin) {
  writeSentences({{40, 40, 100, 60, "Alpha"}, {400, 300, 460, 320, "Beta"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  QApplication::processEvents();
  EXPECT_TRUE(f.surfaceViewport().view().isIdentity());
  EXPECT_FALSE(f.surfaceViewport().horizontalBar()->isVisible());
  EXPECT_FALSE(f.surfaceViewport().verticalBar()->isVisible());
  EXPECT_EQ(f.surfaceSize(), control<QWidget>(f, "ArgumentPaintBox")->size());
  // Zooming in and back gives the very same picture.
  const QImage before = grab(f);
  QTest::keyClick(&f, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(f.surfaceViewport().view().step(), ViewTransform::ActualSizeStep + 1);
  EXPECT_NE(grab(f), before);
  QTest::keyClick(&f, Qt::Key_0, Qt::ControlModifier);
  EXPECT_TRUE(f.surfaceViewport().view().isIdentity());
  EXPECT_EQ(grab(f), before);
}

// Fit brings a small diagram as close as it goes, everything in sight and
// nothing to scroll; Actual Size takes it back home or keeps it centred.
TEST_F(ViewWindowTest, FitOnOneSentenceShowsNoBarsAndActualSizeComesBack) {
  for (const SentenceRowValues& one : {SentenceRowValues{40, 40, 100, 60, "Tweety flies"},
                                       SentenceRowValues{20000, 15000, 20060, 15020, "Far away"}}) {
    writeSentences({one});
    writeArrowsAndDefeaters();
    TArgumentForm& f = start();
    QApplication::processEvents();
    SurfaceViewport& v = f.surfaceViewport();
    QTest::keyClick(&f, Qt::Key_9, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(v.view().step(), ViewTransform::StepCount - 1) << one.text;
    EXPECT_FALSE(v.horizontalBar()->isVisible()) << one.text;
    EXPECT_FALSE(v.verticalBar()->isVisible()) << one.text;
    const QRect box(at(f, {one.left, one.top}), at(f, {one.right + 1, one.bottom + 1}) - QPoint(1, 1));
    EXPECT_TRUE(QRect(QPoint(0, 0), v.visibleSize()).contains(box)) << one.text;
    EXPECT_LE(std::abs(box.left() - (v.visibleSize().width() - 1 - box.right())), 1) << one.text;
    QTest::keyClick(&f, Qt::Key_0, Qt::ControlModifier);
    if (one.left < 1000) {
      EXPECT_TRUE(v.view().isIdentity());
    } else {
      EXPECT_TRUE(v.view().isActualSize());
      EXPECT_EQ(at(f, {20030, 15010}), QPoint(v.visibleSize().width() / 2, v.visibleSize().height() / 2));
    }
    app_.reset();
  }
}

// Zoomed out, at 100 % and zoomed in, a bar stands for the diagram and its
// margins; its arrows step 20 pixels, a click beside the thumb a page, and a
// few pixels' drag of the thumb a few pixels' worth of the diagram.
TEST_F(ViewWindowTest, TheBarsStandForTheDiagramAtEveryZoom) {
  writeSentences({{3000, 2000, 3060, 2020, "First"}, {6000, 4000, 6060, 4020, "Last"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  QScrollBar* h = v.horizontalBar();
  QTest::keyClick(&f, Qt::Key_9, Qt::ControlModifier);
  EXPECT_FALSE(h->isVisible());
  for (int step : {ViewTransform::ActualSizeStep - 2, ViewTransform::ActualSizeStep, ViewTransform::StepCount - 1}) {
    while (v.view().step() < step) QTest::keyClick(&f, Qt::Key_Equal, Qt::ControlModifier);
    v.centreOn({4500, 3000});
    QApplication::processEvents();
    ASSERT_TRUE(h->isVisible()) << step;
    const ViewRect drawn = v.view().toView(Rect{3000, 2000, 6060, 4020});
    EXPECT_EQ(h->maximum() + h->pageStep() - h->minimum(), drawn.right - drawn.left + 1 + 2 * ScrollMargin) << step;
    EXPECT_EQ(h->pageStep(), v.visibleSize().width()) << step;

    int64_t before = v.view().offsetX();
    QTest::mouseClick(h, Qt::LeftButton, {}, barPart(h, QStyle::SC_ScrollBarAddLine).center());
    EXPECT_EQ(v.view().offsetX() - before, 20) << step;
    before = v.view().offsetX();
    QTest::mouseClick(h, Qt::LeftButton, {}, barPart(h, QStyle::SC_ScrollBarSubLine).center());
    EXPECT_EQ(v.view().offsetX() - before, -20) << step;
    before = v.view().offsetX();
    QTest::mouseClick(h, Qt::LeftButton, {}, barPart(h, QStyle::SC_ScrollBarAddPage).center());
    EXPECT_EQ(v.view().offsetX() - before, std::min<int64_t>(h->pageStep(), h->maximum() - before)) << step;

    const QPoint thumb = barPart(h, QStyle::SC_ScrollBarSlider).center();
    const int travel = barPart(h, QStyle::SC_ScrollBarGroove).width() - barPart(h, QStyle::SC_ScrollBarSlider).width();
    before = v.view().offsetX();
    const int64_t range = h->maximum() - h->minimum();
    QTest::mousePress(h, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(h, thumb - QPoint(3, 0));
    QTest::mouseRelease(h, Qt::LeftButton, {}, thumb - QPoint(3, 0));
    EXPECT_LT(v.view().offsetX(), before) << step;
    // Three pixels of thumb, within the pixel the thumb was rounded to.
    EXPECT_LE(before - v.view().offsetX(), (3 + 1) * range / travel) << step;
  }
}

TEST_F(ViewWindowTest, BarsReachNegativeCoordinatesAndTheWheelScrolls) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  QScrollBar* h = v.horizontalBar();
  QScrollBar* vert = v.verticalBar();
  ASSERT_TRUE(h->isVisible());
  ASSERT_TRUE(vert->isVisible());
  // From the negative sentence (and a margin) to the far one (and a margin).
  EXPECT_EQ(h->minimum(), -400 - ScrollMargin);
  EXPECT_EQ(vert->minimum(), -300 - ScrollMargin);
  EXPECT_EQ(h->maximum(), 5261 + ScrollMargin - v.visibleSize().width());
  EXPECT_EQ(vert->maximum(), 4021 + ScrollMargin - v.visibleSize().height());
  // The bars lie inside the surface, the panels keep their places.
  EXPECT_LE(vert->geometry().right(), control<QWidget>(f, "ArgumentPaintBox")->geometry().right());
  EXPECT_LE(h->geometry().bottom(), control<QWidget>(f, "ArgumentPaintBox")->geometry().bottom());
  EXPECT_EQ(f.surfaceSize(), control<QWidget>(f, "ArgumentPaintBox")->size() - QSize(vert->width(), h->height()));

  // Scrolled to the top left corner, the negative sentence shows there.
  h->setValue(h->minimum());
  vert->setValue(vert->minimum());
  const QPoint negative = at(f, {-400, -300});
  EXPECT_EQ(negative, QPoint(10, 10));
  EXPECT_EQ(grab(f).pixelColor(negative + QPoint(1, 1)), QColor(0xC0, 0xC0, 0xC0));  // not evaluated: silver fill

  // Wheel down scrolls down, Shift+wheel to the right; nothing past the ends.
  const int64_t top = v.view().offsetY();
  wheel(f, {100, 100}, -120, Qt::NoModifier);
  EXPECT_GT(v.view().offsetY(), top);
  const int64_t left = v.view().offsetX();
  wheel(f, {100, 100}, -120, Qt::ShiftModifier);
  EXPECT_GT(v.view().offsetX(), left);
  for (int i = 0; i < 50; ++i) wheel(f, {100, 100}, 1200, Qt::NoModifier);
  EXPECT_EQ(v.view().offsetY(), vert->minimum());
}

TEST_F(ViewWindowTest, CtrlWheelZoomsAboutThePointerAndFitShowsEverything) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  const QPoint pointer(200, 150);
  const Point under = v.view().toDiagram(ViewPoint{pointer.x(), pointer.y()});
  wheel(f, pointer, -240, Qt::ControlModifier);
  EXPECT_EQ(v.view().step(), ViewTransform::ActualSizeStep - 2);
  // Within the four units one pixel holds at 1/4.
  const Point now = v.view().toDiagram(ViewPoint{pointer.x(), pointer.y()});
  EXPECT_TRUE(now.x <= under.x && under.x < now.x + 4 && now.y <= under.y && under.y < now.y + 4);

  QTest::keyClick(&f, Qt::Key_9, Qt::ControlModifier);
  for (const Point corner : {Point{-400, -300}, Point{5260, 4020}}) {
    const QPoint p = at(f, corner);
    EXPECT_TRUE(QRect(QPoint(0, 0), v.visibleSize()).contains(p)) << p.x() << "," << p.y();
  }
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1), "");
}

TEST_F(ViewWindowTest, FindCentresHighlightsCyclesAndSaysNotFound) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  TViewCommands& commands = f.viewCommands();
  std::vector<QString> offered;
  std::deque<std::optional<QString>> answers = {QString("FAR"), QString("nothing like it"), std::nullopt};
  commands.askFindText = [&](const QString& last) {
    offered.push_back(last);
    auto a = answers.front();
    answers.pop_front();
    return a;
  };
  QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
  const QSize visible = f.surfaceViewport().visibleSize();
  EXPECT_EQ(at(f, {5030, 4010}), QPoint(visible.width() / 2, visible.height() / 2));
  const QImage shown = grab(f);
  EXPECT_EQ(shown.pixelColor(at(f, {5000, 4000}) - QPoint(4, 4)), QColor(0xFF, 0x80, 0x00));
  commands.endHighlight();
  EXPECT_EQ(grab(f).pixelColor(at(f, {5000, 4000}) - QPoint(4, 4)), QColor(0xD4, 0xD4, 0xD4));

  QTest::keyClick(&f, Qt::Key_F3);  // the next: "Far two"
  EXPECT_EQ(at(f, {5230, 4010}), QPoint(visible.width() / 2, visible.height() / 2));
  QTest::keyClick(&f, Qt::Key_F3);  // round again to "Far one"
  EXPECT_EQ(at(f, {5030, 4010}), QPoint(visible.width() / 2, visible.height() / 2));

  QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1), "Not found");
  // Cancelled: nothing changes; the last text was offered.
  QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(offered, std::vector<QString>({"", "FAR", "nothing like it"}));
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1), "Not found");
}

// The real menu and the real input dialog, answered as a person would:
// D chooses "Fin&d Sentence...", F "&Fit Diagram".
TEST_F(ViewWindowTest, FindAndFitThroughTheRealMenuAndDialog) {
  TArgumentForm& f = startWithSpreadDiagram();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  QApplication::processEvents();
  QMenuBar* bar = f.menuBar();
  auto openViewMenu = [&] {
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(control<QMenu>(f, "ViewMenuItem")->menuAction()).center());
    ASSERT_EQ(QApplication::activePopupWidget(), control<QMenu>(f, "ViewMenuItem"));
  };
  modals.inputTexts = {"far TWO"};
  openViewMenu();
  QTest::keyClick(control<QMenu>(f, "ViewMenuItem"), 'd');
  EXPECT_EQ(modals.inputDialogs, 1);
  const QSize visible = f.surfaceViewport().visibleSize();
  EXPECT_EQ(at(f, {5230, 4010}), QPoint(visible.width() / 2, visible.height() / 2));

  openViewMenu();
  QTest::keyClick(control<QMenu>(f, "ViewMenuItem"), 'f');
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_LT(f.surfaceViewport().view().step(), ViewTransform::ActualSizeStep);
  EXPECT_TRUE(QRect(QPoint(0, 0), f.surfaceViewport().visibleSize()).contains(at(f, {-400, -300})));
  EXPECT_EQ(modals.unanswered, 0);
}

// Zoomed out below readable text, Find zooms in to where the found sentence
// shows its text; at a closer zoom it keeps the zoom. The real dialog, fixed
// in size, then F3.
TEST_F(ViewWindowTest, FindFarZoomedOutZoomsInToReadableText) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  for (int i = 0; i < ViewTransform::ActualSizeStep; ++i) QTest::keyClick(&f, Qt::Key_Minus, Qt::ControlModifier);
  ASSERT_EQ(v.view().step(), 0);
  bool fixedSize = false;
  QTimer answer;
  answer.setInterval(0);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    answer.stop();
    fixedSize = dialog->minimumSize() == dialog->maximumSize();
    QTest::keyClicks(dialog->findChild<QLineEdit*>(), "far TWO");
    QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
  });
  answer.start();
  QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(fixedSize);
  EXPECT_EQ(v.view().step(), ViewTransform::ActualSizeStep);
  const QPoint centre(v.visibleSize().width() / 2, v.visibleSize().height() / 2);
  EXPECT_EQ(at(f, {5230, 4010}), centre);
  // Its text is drawn: black pixels inside the box.
  const QImage shown = grab(f);
  int black = 0;
  for (int x = at(f, {5200, 4000}).x() + 1; x < at(f, {5260, 4000}).x(); ++x)
    for (int y = at(f, {5200, 4000}).y() + 1; y < at(f, {5200, 4020}).y(); ++y) black += shown.pixel(x, y) == qRgb(0, 0, 0);
  EXPECT_GT(black, 10);

  // The window manager hands the window back its focus (offscreen, nobody does).
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QTest::keyClick(&f, Qt::Key_Equal, Qt::ControlModifier);
  v.scrollBy(-300, 0);
  QTest::keyClick(&f, Qt::Key_F3);  // the only match again, at 200 % still
  EXPECT_EQ(v.view().step(), ViewTransform::ActualSizeStep + 1);
  EXPECT_EQ(at(f, {5230, 4010}), QPoint(v.visibleSize().width() / 2, v.visibleSize().height() / 2));
}

// The square between the two bars is the window's, whatever lies under it.
TEST_F(ViewWindowTest, TheCornerBetweenTheBarsShowsNoDiagram) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  ASSERT_TRUE(v.horizontalBar()->isVisible() && v.verticalBar()->isVisible());
  const QRect corner(v.verticalBar()->x(), v.horizontalBar()->y(), v.verticalBar()->width(), v.horizontalBar()->height());
  // "Far one" under the corner: its top left at the corner's.
  const QPoint far = at(f, {5000, 4000});
  v.scrollBy(far.x() - corner.left(), far.y() - corner.top());
  ASSERT_EQ(at(f, {5000, 4000}), corner.topLeft());
  QApplication::processEvents();
  const QImage window = control<QWidget>(f, "ClientArea")->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int x = corner.left(); x <= corner.right(); ++x)
    for (int y = corner.top(); y <= corner.bottom(); ++y)
      ASSERT_EQ(window.pixelColor(x, y), QColor(0xD4, 0xD4, 0xD4)) << x << "," << y;
  // Under the corner the surface does draw the sentence.
  EXPECT_EQ(grab(f).pixelColor(corner.topLeft() + QPoint(2, 2)), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(ViewWindowTest, EditingWhileZoomedUsesDiagramCoordinates) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  v.zoomAbout(ViewTransform::ActualSizeStep + 2, {0, 0});  // 4x
  v.centreOn({1000, 1000});
  // A sentence added at 4x lands at the diagram point under the press.
  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  const QPoint press = at(f, {990, 995}) + QPoint(2, 3);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, press);
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(0), "(990,995)");
  ASSERT_TRUE(control<QLineEdit>(f, "SentenceEdit")->isVisible());
  EXPECT_EQ(control<QLineEdit>(f, "SentenceEdit")->pos(), at(f, {990, 995}));
  QTest::keyClicks(control<QLineEdit>(f, "SentenceEdit"), "Zoomed");
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 6);
  EXPECT_EQ(f.diagram().sentence(5).Left, 990);
  EXPECT_EQ(f.diagram().sentence(5).Top, 995);
}

TEST_F(ViewWindowTest, DraggingARubberBandToTheEdgeScrollsAlongAndLeavesNothingBehind) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QWidget* canvas = f.canvasWidget();
  const QImage before = grab(f);
  const QSize visible = v.visibleSize();
  sendMouse(canvas, QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton, Qt::LeftButton);
  const QPoint edge(visible.width() - 2, 250);
  sendMouse(canvas, QEvent::MouseMove, edge, Qt::NoButton, Qt::LeftButton);
  const Point first = f.editor().LastPointerPoint();
  v.autoScrollTick();
  v.autoScrollTick();
  EXPECT_GT(v.view().offsetX(), 0);
  // The band's far corner followed the view: it is under the pointer still.
  EXPECT_EQ(f.editor().LastPointerPoint().x - first.x, v.view().offsetX());
  EXPECT_EQ(f.overlayFigureCount(), 1u);
  sendMouse(canvas, QEvent::MouseButtonRelease, edge, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(f.overlayFigureCount(), 0u);
  QTest::keyClick(&f, Qt::Key_0, Qt::ControlModifier);
  v.scrollBy(-v.view().offsetX(), -v.view().offsetY());
  EXPECT_EQ(grab(f), before);
}

// The arrow guide line and a half-drawn defeater's bands follow every zoom
// and scroll and leave nothing behind once the tool is switched off.
TEST_F(ViewWindowTest, GuideLinesAndBandsLeaveNothingBehindAfterZoomsAndScrolls) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  QWidget* canvas = f.canvasWidget();
  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, at(f, {45, 45}));
  ASSERT_EQ(f.editor().editMode(), EditMode::AddEndArrowMode);
  sendMouse(canvas, QEvent::MouseMove, {300, 300}, Qt::NoButton, Qt::NoButton);
  wheel(f, {300, 300}, -120, Qt::ControlModifier);
  sendMouse(canvas, QEvent::MouseMove, {320, 310}, Qt::NoButton, Qt::NoButton);
  wheel(f, {320, 310}, -120, Qt::NoModifier);
  sendMouse(canvas, QEvent::MouseMove, {150, 200}, Qt::NoButton, Qt::NoButton);
  const QImage withLine = grab(f);
  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);  // the tool off: the line goes

  QTest::mouseClick(control<QToolButton>(f, "AddDefeaterSpeedButton"), Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseMove, {180, 160}, Qt::NoButton, Qt::LeftButton);
  wheel(f, {180, 160}, 120, Qt::ControlModifier);
  wheel(f, {180, 160}, -240, Qt::ShiftModifier);
  sendMouse(canvas, QEvent::MouseMove, {200, 170}, Qt::NoButton, Qt::LeftButton);
  EXPECT_GT(f.overlayFigureCount(), 0u);
  sendMouse(canvas, QEvent::MouseButtonRelease, {200, 170}, Qt::LeftButton, Qt::NoButton);
  QTest::mouseClick(control<QToolButton>(f, "AddDefeaterSpeedButton"), Qt::LeftButton);
  EXPECT_EQ(f.overlayFigureCount(), 0u);
  EXPECT_EQ(f.diagram().ArrowCount(), 0);
  EXPECT_EQ(f.diagram().DefeaterCount(), 0);

  // What shows now is exactly the picture of the same view drawn afresh.
  const QImage after = grab(f);
  EXPECT_NE(after, withLine);
  const ViewTransform view = v.view();
  v.reset();
  grab(f);
  v.zoomAbout(view.step(), {0, 0});
  ViewTransform same = v.view();
  v.scrollBy(view.offsetX() - same.offsetX(), view.offsetY() - same.offsetY());
  ASSERT_EQ(v.view(), view);
  EXPECT_EQ(grab(f), after);
}

// Zoomed out the picture is kept between repaints; every change shows at once.
TEST_F(ViewWindowTest, AKeptPictureNeverShowsAnOldState) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  v.zoomAbout(ViewTransform::ActualSizeStep - 2, {0, 0});  // 1/4, no text
  QWidget* canvas = f.canvasWidget();
  const QPoint alpha = at(f, {40, 40});
  EXPECT_EQ(grab(f).pixelColor(alpha), QColor(0x80, 0x80, 0x80));
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonPress, alpha - QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseMove, alpha + QPoint(4, 4), Qt::NoButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, alpha + QPoint(4, 4), Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(f.diagram().sentence(0).Selected);
  EXPECT_EQ(grab(f).pixelColor(alpha), QColor(0xFF, 0xFF, 0x00));
  // Beta becomes a premise: only its own place is drawn again.
  const QPoint beta = at(f, {200, 40});
  f.runPopupMenu = [&](QMenu&, QPoint) { choose(f, "SetStatusUndefeatedMenuItem"); };
  QTest::mouseClick(canvas, Qt::RightButton, {}, beta + QPoint(1, 1));
  EXPECT_EQ(grab(f).pixelColor(beta), QColor(0x00, 0x00, 0xFF));  // set by the user: blue
  QTest::mouseClick(control<QPushButton>(f, "ResetButton"), Qt::LeftButton);
  EXPECT_EQ(grab(f).pixelColor(beta), QColor(0x80, 0x80, 0x80));
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(grab(f).pixelColor(beta), QColor(0x00, 0x00, 0xFF));
}

TEST_F(ViewWindowTest, DraggingASentenceToTheEdgeCarriesItAlong) {
  TArgumentForm& f = startWithSpreadDiagram();
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QWidget* canvas = f.canvasWidget();
  const TSentence& beta = f.diagram().sentence(1);
  const QSize visible = v.visibleSize();
  sendMouse(canvas, QEvent::MouseButtonPress, {205, 45}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
  ASSERT_EQ(f.editor().editMode(), EditMode::DraggingSentenceMode);
  const QPoint edge(205, visible.height() - 3);
  sendMouse(canvas, QEvent::MouseMove, edge, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  const int32_t top = beta.Top;
  v.autoScrollTick();
  v.autoScrollTick();
  ASSERT_GT(v.view().offsetY(), 0);
  EXPECT_EQ(beta.Top - top, v.view().offsetY());
  sendMouse(canvas, QEvent::MouseButtonRelease, edge, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
  EXPECT_EQ(f.editor().editMode(), EditMode::MakeSelectionMode);
  EXPECT_EQ(at(f, {beta.Left, beta.Top}), QPoint(200, edge.y() - 5));
}

// A person's session: zoom out with the keys, scroll to the far corner with
// the bar, draw an arrow there, evaluate.
TEST_F(ViewWindowTest, ZoomOutScrollToTheFarCornerAddAnArrowAndEvaluate) {
  TArgumentForm& f = startWithSpreadDiagram();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  QApplication::processEvents();
  SurfaceViewport& v = f.surfaceViewport();
  QTest::keyClick(&f, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(v.view().step(), ViewTransform::ActualSizeStep - 1);
  QTest::keyClick(&f, Qt::Key_Minus, Qt::ControlModifier);
  v.horizontalBar()->setValue(v.horizontalBar()->maximum());
  v.verticalBar()->setValue(v.verticalBar()->maximum());
  QApplication::processEvents();
  const QRect visible(QPoint(0, 2), v.visibleSize() - QSize(0, 2));
  const QPoint one = at(f, {5010, 4008}), two = at(f, {5210, 4008});
  ASSERT_TRUE(visible.contains(one) && visible.contains(two));

  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, one);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, two);
  ASSERT_EQ(f.diagram().ArrowCount(), 1);
  EXPECT_EQ(f.diagram().arrow(0).StartX, 5060);  // from Far one's right side

  // "Far one" becomes a premise through its real pop-up menu, then a round.
  f.runPopupMenu = [](QMenu& menu, QPoint p) { menu.exec(p); };
  modals.menuAnswers = {ModalAnswers::choose('j')};
  QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, one);
  EXPECT_EQ(f.diagram().sentence(2).Status, Undefeated | SetByUser);
  QTest::mouseClick(control<QPushButton>(f, "EvaluateOneRoundButton"), Qt::LeftButton);
  EXPECT_EQ(f.diagram().sentence(3).Status, Undefeated | JustEvaluated);
  EXPECT_TRUE(fileLines("log.txt").contains("'Far two' is justified since it has justified support."));
  // The round's colours show at this zoom: Far two's frame is green.
  EXPECT_EQ(grab(f).pixelColor(at(f, {5200, 4000})), QColor(0x22, 0xB9, 0x1E));
}

}  // namespace
}  // namespace zorvex::testing
