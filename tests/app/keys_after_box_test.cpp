// The keyboard after a real "Confirm" box: the Delete key that opened it
// comes up while the box has the keys, as it does with a real keyboard, and
// the next key pressed in the main window must still act.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"

namespace zorvex::testing {
namespace {

// Answers each real message box while it is open with the next action.
class BoxAnswers {
 public:
  using Answer = std::function<void(QMessageBox&)>;
  BoxAnswers() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  std::deque<Answer> answers;
  std::vector<QString> texts;

 private:
  void poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box == answered_) return;
    // Keys go to the box once it is the active window, as a window manager makes it.
    if (QApplication::activeWindow() != box) return box->activateWindow();
    answered_ = box;
    texts.push_back(box->text());
    Answer answer = answers.empty() ? Answer([](QMessageBox& b) { b.reject(); }) : answers.front();
    if (!answers.empty()) answers.pop_front();
    answer(*box);
  }
  QTimer timer_;
  QPointer<QMessageBox> answered_;
};

QWidget* keyTarget(QWidget& window) {
  return QApplication::focusWidget() ? QApplication::focusWidget() : &window;
}

void sendKey(QWidget* to, QEvent::Type type, Qt::Key key, bool autoRepeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(to, &event);
}

// The Delete key comes up over the box; then a key or a click answers it.
BoxAnswers::Answer releaseThenType(Qt::Key letter) {
  return [letter](QMessageBox& box) {
    QTest::keyRelease(keyTarget(box), Qt::Key_Delete);
    QTest::keyClick(keyTarget(box), letter);
  };
}
void clickButton(QMessageBox& box, const QString& caption) {
  for (QAbstractButton* b : box.buttons())
    if (b->text() == caption) return QTest::mouseClick(b, Qt::LeftButton);
  ADD_FAILURE() << "no button " << caption.toStdString();
  box.reject();
}
BoxAnswers::Answer releaseThenClick(const QString& caption) {
  return [caption](QMessageBox& box) {
    QTest::keyRelease(keyTarget(box), Qt::Key_Delete);
    clickButton(box, caption);
  };
}

// A press alone, its release going elsewhere; then the pause before the next
// key, in which the window system hands the keys back.
void pressDelete(QWidget& window) {
  QTest::keyPress(keyTarget(window), Qt::Key_Delete);
  QCoreApplication::processEvents();
}

TEST_F(AppTest, TheKeyPressedAfterAnsweringTheDeleteQuestionActs) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  f.activateWindow();
  RealMessageBoxes realBoxes;
  BoxAnswers boxes;
  const QString question = "Do you want to delete the sentence\n    'A' ?";
  auto select = [&] {
    // Undo keeps the tool: it may be on already.
    auto* tool = control<QToolButton>(f, "MakeSelectionSpeedButton");
    if (!tool->isChecked()) QTest::mouseClick(tool, Qt::LeftButton);
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_TRUE(f.diagram().sentence(0).Selected);
    // A push button holds the focus, as after the window's activation: the
    // press climbs from it to the window, which must act on it once.
    control<QPushButton>(f, "EvaluateOneRoundButton")->setFocus();
  };
  select();

  // "&No" by its letter, then by a click: each next Delete asks again.
  boxes.answers = {releaseThenType(Qt::Key_N), releaseThenClick("&No")};
  pressDelete(f);
  EXPECT_EQ(boxes.texts, std::vector<QString>({question}));
  pressDelete(f);
  EXPECT_EQ(boxes.texts.size(), 2u);
  EXPECT_FALSE(f.diagram().sentence(0).Deleted);

  // Held down: the box opens once, however often the key repeats, over the
  // box and after it.
  boxes.answers = {[](QMessageBox& box) {
    sendKey(keyTarget(box), QEvent::KeyPress, Qt::Key_Delete, true);
    sendKey(keyTarget(box), QEvent::KeyPress, Qt::Key_Delete, true);
    clickButton(box, "&No");
  }};
  pressDelete(f);
  for (int n = 0; n < 3; ++n) sendKey(keyTarget(f), QEvent::KeyPress, Qt::Key_Delete, true);
  sendKey(keyTarget(f), QEvent::KeyRelease, Qt::Key_Delete);
  EXPECT_EQ(boxes.texts.size(), 3u);

  // "&Yes": the next key is Ctrl+Z, which takes the deletion back.
  boxes.answers = {releaseThenType(Qt::Key_Y)};
  pressDelete(f);
  ASSERT_EQ(boxes.texts.size(), 4u);
  ASSERT_TRUE(f.diagram().sentence(0).Deleted);
  QTest::keyClick(keyTarget(f), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(f.diagram().sentence(0).Deleted);

  // "&Yes" by a click: the next key is Alt+F, which opens the File menu.
  select();
  boxes.answers = {releaseThenClick("&Yes")};
  pressDelete(f);
  ASSERT_EQ(boxes.texts.size(), 5u);
  ASSERT_TRUE(f.diagram().sentence(0).Deleted);
  QTest::keyClick(keyTarget(f), Qt::Key_F, Qt::AltModifier);
  ASSERT_EQ(QApplication::activePopupWidget(), control<QMenu>(f, "FileMenuItem"));
  QTest::keyClick(control<QMenu>(f, "FileMenuItem"), Qt::Key_Escape);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_TRUE(f.isVisible());
}

}  // namespace
}  // namespace zorvex::testing
