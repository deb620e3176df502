// Every message box is wide enough for its caption: the window manager draws
// it in the title bar, in bold, beside the window's icon and its three
// buttons, and a box sized for its text alone had "Warning" cut to "W... g".
#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"

namespace zorvex::testing {
namespace {

// The caption's text, the icon and three buttons (each a title bar's height
// square) and the frame on either side.
int titleBarNeeds(const QMessageBox& box) {
  QFont title = QApplication::font("QMdiSubWindowTitleBar");
  title.setBold(true);
  const QStyle* style = box.style();
  return QFontMetrics(title).horizontalAdvance(box.windowTitle()) + 4 * style->pixelMetric(QStyle::PM_TitleBarHeight) +
         2 * style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
}

struct ShownBox {
  QString caption;
  int minimumWidth;
  int needed;
};

// Records each real box as it shows and answers it with its escape button.
class BoxWidths : public QObject {
 public:
  BoxWidths() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box == last_) return;
      last_ = box;
      shown.push_back({box->windowTitle(), box->minimumWidth(), titleBarNeeds(*box)});
      QTest::keyClick(box, Qt::Key_Escape);
    });
    timer_.start();
  }
  std::vector<ShownBox> shown;

 private:
  QTimer timer_;
  QPointer<QMessageBox> last_;
};

TEST_F(AppTest, EveryMessageBoxIsWideEnoughForItsCaptionAndTheTitleBarsButtons) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  QFile(QStringLiteral("help.txt")).open(QIODevice::WriteOnly);
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  BoxWidths widths;
  messageBoxes().error("x");
  messageBoxes().confirm("x?");
  messageBoxes().information("x");

  // The duplicate text's warning, where a person meets it: typed into the
  // sentence box; the next text typed is added.
  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(300, 150));
  auto* edit = control<QLineEdit>(f, "SentenceEdit");
  QTest::keyClicks(edit, QStringLiteral("A"));
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 1);
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("B"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(f.diagram().SentenceCount(), 2);

  ASSERT_EQ(widths.shown.size(), 4u);
  const char* captions[] = {"Zorvex!", "Confirm", "Information", "Warning"};
  for (size_t n = 0; n < widths.shown.size(); ++n) {
    EXPECT_EQ(widths.shown[n].caption, captions[n]);
    EXPECT_GE(widths.shown[n].minimumWidth, widths.shown[n].needed) << captions[n];
  }
}

}  // namespace
}  // namespace zorvex::testing
