// File, Export Picture as a person uses it: the menu, the real file dialog,
// the progress box and the message boxes answered while they are open, and
// the window going on after each.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ExportPictureCommand.h"
#include "elements/ui/DiagramRenderer.h"

namespace zorvex::testing {
namespace {

class ExportPictureWindowTest : public AppTest {
 protected:
  TArgumentForm& startWith(const std::vector<SentenceRowValues>& sentences) {
    writeSentences(sentences);
    writeArrowsAndDefeaters();
    QFile help("help.txt");
    EXPECT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    return start();
  }
  void exportThroughTheMenu(TArgumentForm& f) {
    QMenuBar* bar = f.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(control<QMenu>(f, "FileMenuItem")->menuAction()).center());
    ASSERT_EQ(QApplication::activePopupWidget(), control<QMenu>(f, "FileMenuItem"));
    QTest::keyClick(control<QMenu>(f, "FileMenuItem"), 'e');
  }
  // The next thing a person does after a box: a sentence added by clicks.
  void addSentenceAfterwards(TArgumentForm& f) {
    const int32_t before = f.diagram().SentenceCount();
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(300, 400));
    QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
    EXPECT_EQ(f.diagram().SentenceCount(), before + 1);
  }
  QString path(const char* name) { return dir_.filePath(QString::fromLatin1(name)); }
};

TEST_F(ExportPictureWindowTest, ALongExportShowsItsProgressItsCancelLeavesNoFileAndTheSelectionStays) {
  TArgumentForm& f = startWith({{40, 40, 100, 60, "A"}, {200, 300, 260, 320, "B"}});
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 50));
  ASSERT_TRUE(f.diagram().sentence(0).Selected);
  Diagram plain = f.diagram();
  plain.sentence(0).Selected = false;
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  // While the window goes on repainting behind the box, the selection is
  // still the diagram's.
  std::vector<bool> selectedWhileDrawing;
  modals.onProgress = [&](QProgressDialog&) { selectedWhileDrawing.push_back(f.diagram().sentence(0).Selected); };
  // Every export counts as long here: the box shows at its first step.
  f.exportPicture().progressDelayMs = 0;
  modals.filePaths = {path("picture.png")};
  modals.cancelProgress = true;
  exportThroughTheMenu(f);
  EXPECT_EQ(modals.fileDialogs, 1);
  EXPECT_EQ(modals.progressDialogs, 1);
  EXPECT_FALSE(QFile::exists(path("picture.png")));

  modals.filePaths = {path("done.png")};
  modals.cancelProgress = false;
  exportThroughTheMenu(f);
  EXPECT_EQ(modals.progressDialogs, 2);
  EXPECT_EQ(selectedWhileDrawing, std::vector<bool>({true, true}));
  EXPECT_EQ(QImage(path("done.png")).convertToFormat(QImage::Format_RGB32), renderDiagram(plain));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  addSentenceAfterwards(f);
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(ExportPictureWindowTest, AWideDiagramIsExportedAtHalfSizeAndTheStatusBarSaysSo) {
  TArgumentForm& f = startWith({{40, 40, 100, 60, "A"}, {40000, 300, 40080, 320, "far"}});
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  modals.filePaths = {path("wide.png")};
  exportThroughTheMenu(f);
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1).toStdString(),
            "Picture drawn at 50 %: at 100 % it would be 40081 x 480 pixels");
  EXPECT_EQ(QImage(path("wide.png")).size(), QSize(20041, 240));
  // A vector picture is drawn at full size: the note goes.
  modals.filePaths = {path("wide.svg")};
  exportThroughTheMenu(f);
  EXPECT_TRUE(QFile::exists(path("wide.svg")));
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1).toStdString(), "");
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(ExportPictureWindowTest, AFileThatCannotBeWrittenGetsItsReasonInABoxOverTheMainWindow) {
  TArgumentForm& f = startWith({{40, 40, 100, 60, "A"}});
  // Away from the middle of the screen, where a box without a parent goes.
  f.move(f.screen()->availableGeometry().topLeft() + QPoint(120, 90));
  ASSERT_TRUE(QDir(dir_.path()).mkdir("shut"));
  QFile::setPermissions(path("shut"), QFile::ReadOwner | QFile::ExeOwner);
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  modals.filePaths = {path("shut/picture.png")};
  modals.boxAnswers = {"OK"};
  exportThroughTheMenu(f);
  QFile::setPermissions(path("shut"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ASSERT_EQ(modals.boxTexts, std::vector<QString>({"Cannot create file " + path("shut/picture.png") +
                                                   ": the folder is read-only."}));
  const QPoint off = modals.boxGeometries.front().center() - f.frameGeometry().center();
  EXPECT_LE(off.manhattanLength(), 4) << off.x() << ", " << off.y();
  // The window is active again and takes the next key: Ctrl+E.
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &f; }));
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f, Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(modals.fileDialogs, 2);
  EXPECT_EQ(modals.unanswered, 0);
}

}  // namespace
}  // namespace zorvex::testing
