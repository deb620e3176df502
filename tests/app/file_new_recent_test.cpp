// File, New and the recent diagrams as a person uses them: the real menus,
// boxes and file dialogs, and the list kept in the user's settings, which in
// a test are the test's own.
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/RecentDiagramsMenu.h"
#include "history/UndoHistory.h"

namespace zorvex::testing {
namespace {

class FileNewRecentTest : public AppTest {
 protected:
  // The main window takes the keys again after a box, as a window manager
  // makes it.
  static void activate(QWidget& window) {
    QCoreApplication::processEvents();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
  }
  void SetUp() override {
    AppTest::SetUp();
    // Earlier tests of this run may have left some.
    for (const std::string& p : recentDiagramPaths()) forgetRecentDiagram(p);
    writeSentences({{40, 40, 100, 60, "A"}});
    writeArrowsAndDefeaters();
  }
  QMenu* openFileMenu(TArgumentForm& f) {
    QMenuBar* bar = f.menuBar();
    QMenu* file = control<QMenu>(f, "FileMenuItem");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    EXPECT_EQ(QApplication::activePopupWidget(), file);
    return file;
  }
  void addSentence(TArgumentForm& f, QPoint at) {
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, at);
    QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  }
  static QStringList recentItems(QMenu* file) {
    QStringList items;
    for (QAction* a : file->actions())
      if (a->objectName().startsWith("RecentDiagram")) items << a->text() + " | " + a->toolTip();
    return items;
  }
};

TEST_F(FileNewRecentTest, NewAfterChangesAsksThenStartsEmptyAndSaveAsksForAPlace) {
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  addSentence(f, QPoint(300, 150));
  ASSERT_EQ(f.diagram().SentenceCount(), 2);

  // Ctrl+N asks as Open does; No keeps the diagram.
  modals.boxAnswers = {"&No", "&Yes"};
  QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(f.diagram().SentenceCount(), 2);
  activate(f);
  QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(modals.boxTexts, std::vector<QString>(2, "Do you want to discard the changes to the current diagram?"));
  EXPECT_EQ(f.diagram().SentenceCount(), 0);
  EXPECT_FALSE(f.undoHistory().canUndo());
  const QStringList log = fileLines("log.txt");
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log.mid(log.size() - 2), QStringList({"[New]", ""}));

  // Numbered from 0 again; Save asks where, and the place is the first recent diagram.
  addSentence(f, QPoint(200, 100));
  EXPECT_EQ(f.diagram().sentence(0).Text, "<Sentence>");
  const QString saved = dir_.filePath("fresh.json");
  modals.filePaths = {saved};
  activate(f);
  QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(modals.fileDialogs, 1);
  EXPECT_TRUE(QFile::exists(saved));
  EXPECT_EQ(recentDiagramPaths(), std::vector<std::string>({saved.toStdString()}));
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(FileNewRecentTest, ARecentDiagramThatWasDeletedIsTakenOffWithAMessage) {
  const passwd* user = getpwuid(getuid());
  ASSERT_NE(user, nullptr);
  EXPECT_FALSE(
      QFileInfo(recentDiagramsFile()).absoluteFilePath().startsWith(QString::fromLocal8Bit(user->pw_dir) + "/"))
      << recentDiagramsFile().toStdString();
  TArgumentForm& f = start();
  // The working directory's tables, taken when no diagram is named, were not chosen.
  EXPECT_TRUE(recentDiagramPaths().empty());
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  // Saved twice under two names: the newest comes first.
  for (const char* name : {"kept.json", "gone.json"}) {
    modals.filePaths = {dir_.filePath(name)};
    activate(f);
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  }
  ASSERT_TRUE(QFile::remove(dir_.filePath("gone.json")));
  QMenu* file = openFileMenu(f);
  const QString folder = dir_.path();
  EXPECT_EQ(recentItems(file),
            QStringList({"&1 gone.json | " + folder + "/gone.json", "&2 kept.json | " + folder + "/kept.json"}));
  EXPECT_EQ(file->actions().at(file->actions().indexOf(control<QAction>(f, "ExitMenuItem")) - 1)->objectName(),
            "RecentSeparator");

  // The one that is gone: the message, and the list without it.
  modals.boxAnswers = {"OK"};
  QTest::keyClick(file, '1');
  const QString gone = dir_.filePath("gone.json");
  EXPECT_EQ(modals.boxTexts, std::vector<QString>({gone + " no longer exists. It is taken off the recent diagrams."}));
  file = openFileMenu(f);
  EXPECT_EQ(recentItems(file), QStringList({"&1 kept.json | " + folder + "/kept.json"}));

  // The one still there opens, as Open would.
  addSentence(f, QPoint(300, 150));
  modals.boxAnswers = {"&Yes"};
  QTest::keyClick(file, '1');
  EXPECT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_EQ(f.diagram().SentenceCount(), 1);
  EXPECT_EQ(modals.unanswered, 0);

  // Named on the command line, a folder counts as opened.
  app_.reset();
  app_ = std::make_unique<ZorvexApplication>(DiagramLocation{dir_.path().toStdString(), DiagramFormat::Tables});
  EXPECT_EQ(recentDiagramPaths().front(), dir_.path().toStdString());
}

}  // namespace
}  // namespace zorvex::testing
