// The recovery copy kept fresh while the diagram has unsaved changes, and
// offered again at the next start: the clock is moved by hand and the
// timer's work done as its firing does it.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramFileCommands.h"
#include "model/paradox/ParadoxTable.h"

namespace zorvex::testing {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

class RecoveryCopyTimerTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    QFile help("help.txt");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    writeSentences({{40, 40, 100, 60, "A"}});
    writeArrowsAndDefeaters();
  }
  void addSentence(TArgumentForm& f, const QString& text, QPoint at) {
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, at);
    QTest::keyClicks(control<QLineEdit>(f, "SentenceEdit"), text);
    QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  }
  static QWidget* keyTarget(QWidget& window) {
    return QApplication::focusWidget() ? QApplication::focusWidget() : &window;
  }
  fs::path copyOf(TArgumentForm& f) {
    return f.fileCommands().recoveryFolder /
           ("Recovered diagram - " + QDir(dir_.path()).dirName().toStdString() + ".json");
  }
  static std::vector<std::string> textsIn(const fs::path& copy) {
    Diagram kept;
    if (openDiagram(kept, {copy, DiagramFormat::Json}, paradox::tableOpener()).error) return {"(unreadable)"};
    return textsOf(kept);
  }
  static std::vector<std::string> textsOf(const Diagram& d) {
    std::vector<std::string> texts;
    for (const TSentence& s : d.sentences()) texts.push_back(s.Text);
    return texts;
  }
};

TEST_F(RecoveryCopyTimerTest, ACopyFollowsAChangeTakesTheDiagramAsItWasAndStopsAtASave) {
  TArgumentForm& f = start();
  RecoveryCopyTimer& timer = f.fileCommands().recoveryTimer();
  const RecoveryCopyTimer::Clock::time_point t0{};
  RecoveryCopyTimer::Clock::time_point now = t0;
  timer.now = [&] { return now; };
  const fs::path copy = copyOf(f);

  // Nothing changed: however long the window stays open, no copy.
  now = t0 + seconds(600);
  timer.tick();
  timer.waitForCopy();
  EXPECT_FALSE(timer.running());
  EXPECT_FALSE(fs::exists(copy));

  // A change: the copy is due ten seconds later, not sooner.
  addSentence(f, "work", QPoint(300, 150));
  EXPECT_TRUE(timer.running());
  now += seconds(9);
  timer.tick();
  timer.waitForCopy();
  EXPECT_FALSE(fs::exists(copy));
  now += seconds(1);
  timer.tick();
  // The worker writes from the snapshot: a change made while it writes is
  // not in this copy.
  addSentence(f, "later", QPoint(300, 250));
  timer.waitForCopy();
  EXPECT_EQ(textsIn(copy), std::vector<std::string>({"A", "work"}));
  EXPECT_EQ(textsOf(f.diagram()), std::vector<std::string>({"A", "work", "later"}));

  // Saved: the change still waiting for its copy needs none now.
  choose(f, "SaveMenuItem");
  EXPECT_FALSE(timer.running());
  now += seconds(600);
  timer.tick();
  timer.waitForCopy();
  EXPECT_EQ(textsIn(copy), std::vector<std::string>({"A", "work"}));
}

// Unsaved work closed away is told at the next start, without a question,
// and opened from the real File menu as a diagram without a place.
TEST_F(RecoveryCopyTimerTest, TheNextStartOffersTheRecoveredDiagramInTheFileMenu) {
  TArgumentForm& first = start();
  addSentence(first, "unsaved", QPoint(300, 150));
  choose(first, "ExitMenuItem");

  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  auto* status = control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar");
  EXPECT_EQ(status->panelText(1), QStringLiteral("A recovered diagram is available: File > Open Recovered"));
  EXPECT_TRUE(modals.boxTexts.empty());
  EXPECT_EQ(textsOf(f.diagram()), std::vector<std::string>({"A"}));

  // Alt+F opens the File menu; R chooses Open Recovered.
  auto* fileMenu = control<QMenu>(f, "FileMenuItem");
  QTest::keyClick(keyTarget(f), Qt::Key_F, Qt::AltModifier);
  ASSERT_EQ(QApplication::activePopupWidget(), fileMenu);
  QTest::keyClick(fileMenu, 'r');
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(textsOf(f.diagram()), std::vector<std::string>({"A", "unsaved"}));
  EXPECT_EQ(status->panelText(1), QStringLiteral("Opened the recovered diagram. Save asks where to keep it."));

  // Save asks where, as for any diagram without a place.
  modals.filePaths = {dir_.filePath(QStringLiteral("kept.json"))};
  QTest::keyClick(keyTarget(f), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(modals.fileDialogs, 1);
  EXPECT_EQ(textsIn(dir_.filePath(QStringLiteral("kept.json")).toStdString()),
            std::vector<std::string>({"A", "unsaved"}));
  EXPECT_EQ(status->panelText(1), "Saved to " + dir_.filePath(QStringLiteral("kept.json")) + ".");

  // Alt+R is still the Reset button's while the File menu is closed: it
  // goes down at once (and clicks when the window has gone).
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QTest::keyClick(keyTarget(f), Qt::Key_R, Qt::AltModifier);
  EXPECT_TRUE(control<QPushButton>(f, "ResetButton")->isDown());
}

// At start-up on a map with a newer copy, the status bar says both that a
// copy is there and what the map held; a round's result and both notices go
// when another diagram is opened, and so does "Open Recovered".
TEST_F(RecoveryCopyTimerTest, StartUpShowsBothNoticesAndOpeningAnotherDiagramClearsThem) {
  const QString map = dir_.filePath(QStringLiteral("map.json"));
  {
    QFile file(map);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"nodes": [{"nodeID": "1", "type": "I", "text": "Claim"},
      {"nodeID": "2", "type": "I", "text": "Reason"}, {"nodeID": "3", "type": "RA", "text": "Default Inference"}],
      "edges": [{"fromID": "2", "toID": "3"}, {"fromID": "3", "toID": "1"}]})");
  }
  const auto startOnMap = [&]() -> TArgumentForm& {
    app_ = std::make_unique<ZorvexApplication>(locationFor(map.toStdString()));
    app_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&app_->ArgumentForm()));
    return app_->ArgumentForm();
  };
  TArgumentForm& first = startOnMap();
  addSentence(first, "unsaved", QPoint(300, 350));
  choose(first, "ExitMenuItem");

  TArgumentForm& f = startOnMap();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  auto* status = control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar");
  const QString notice = QStringLiteral("A recovered diagram is available: File > Open Recovered. ");
  EXPECT_TRUE(status->panelText(1).startsWith(notice + "Read an AIF map (AIFdb JSON): 2 sentences, 1 arrow"))
      << status->panelText(1).toStdString();
  QTest::keyClick(keyTarget(f), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(status->panelText(1).startsWith("Stable after")) << status->panelText(1).toStdString();

  // The working directory's tables, through the real Open dialog.
  modals.filePaths = {dir_.filePath(QStringLiteral("SentencesDb.db"))};
  QTest::keyClick(keyTarget(f), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(textsOf(f.diagram()), std::vector<std::string>({"A"}));
  EXPECT_EQ(status->panelText(1), QString());
  EXPECT_FALSE(control<QAction>(f, "OpenRecoveredMenuItem")->isVisible());
  // The next save says where it went.
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QTest::keyClick(keyTarget(f), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(status->panelText(1), "Saved to " + dir_.path() + ".");
  EXPECT_EQ(modals.unanswered, 0);
}

}  // namespace
}  // namespace zorvex::testing
