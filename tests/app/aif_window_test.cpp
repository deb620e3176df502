// AIF argument maps in the window, through the real Open and Save As dialogs
// and the View menu: the report in the status bar and the log, Save asking
// for a place, Save As writing AIF, and Arrange Diagram with its undo.
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <gtest/gtest.h>

#include <QToolButton>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramFileCommands.h"
#include "model/paradox/ParadoxTable.h"
#include "edit/DefeaterHolds.h"
#include "edit/DiagramEdit.h"

namespace zorvex::testing {
namespace {

class AifWindowTest : public AppTest {
 protected:
  void choose(TArgumentForm& f, const char* barMenu, char itemLetter) {
    QMenu* menu = control<QMenu>(f, barMenu);
    QMenuBar* bar = f.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_EQ(QApplication::activePopupWidget(), menu);
    QTest::keyClick(menu, itemLetter);
  }
  // A folder of one sentence with the map beside it.
  QString writeFolderWithMap();
  std::string fileText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
  }
};

const char* const Map = R"({"nodes": [{"nodeID": "1", "type": "I", "text": "Claim"},
  {"nodeID": "2", "type": "I", "text": "Reason"}, {"nodeID": "3", "type": "RA", "text": "Default Inference"},
  {"nodeID": "4", "type": "I", "text": "Objection"}, {"nodeID": "5", "type": "CA", "text": "Default Conflict"}],
  "edges": [{"fromID": "2", "toID": "3"}, {"fromID": "3", "toID": "1"}, {"fromID": "4", "toID": "5"},
            {"fromID": "5", "toID": "1"}]})";

QString AifWindowTest::writeFolderWithMap() {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  QFile(QStringLiteral("help.txt")).open(QIODevice::WriteOnly);
  const QString map = dir_.filePath("map.json");
  QFile file(map);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Map);
  return map;
}

TEST_F(AifWindowTest, OpenSaveAsAndArrangeThroughTheMenusAndDialogs) {
  const QString map = writeFolderWithMap();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;

  // File, Open: the map is laid out and reported.
  modals.filePaths = {map};
  choose(f, "FileMenuItem", 'o');
  ASSERT_EQ(f.diagram().SentenceCount(), 3);
  EXPECT_EQ(f.diagram().DefeaterCount(), 1);
  EXPECT_EQ(defeaterHolds(f.diagram(), 0).challenged.sentences, std::vector<int32_t>{0});
  const QString report = "Read an AIF map (AIFdb JSON): 3 sentences, 1 arrow, 1 rebuttal and 0 undercutters";
  EXPECT_TRUE(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1).startsWith(report));
  const std::string log = fileText("log.txt");
  EXPECT_NE(log.find("[Open] " + report.toStdString()), std::string::npos) << log;
  EXPECT_NE(log.find("[Open] Left out: nothing"), std::string::npos) << log;

  // File, Save: a place is asked for, and the map is left as it was.
  const QString saved = dir_.filePath("saved.json");
  modals.filePaths = {saved};
  choose(f, "FileMenuItem", 's');
  EXPECT_EQ(modals.fileDialogs, 2);
  EXPECT_EQ(fileText(map), Map);
  EXPECT_NE(fileText(saved).find("\"sentences\""), std::string::npos);

  // File, Save As with the AIF type writes an argument map.
  const QString written = dir_.filePath("written.json");
  modals.filePaths = {written};
  modals.fileTypes = {"AIF argument map (*.json)"};
  choose(f, "FileMenuItem", 'a');
  EXPECT_NE(fileText(written).find("\"type\": \"CA\""), std::string::npos);

  // View, Arrange Diagram: refused while a defeater's rectangle holds nothing.
  const DefeaterHolding held = defeaterHolds(f.diagram(), 0);
  const Rect challenged = f.diagram().defeater(0).ChallengedRect;
  f.diagram().defeater(0).ChallengedRect = {-100, -100, -90, -90};
  f.diagram().geometryChanged({ElementKind::Defeater, 0});
  const TSentence reason = f.diagram().sentence(1);
  choose(f, "ViewMenuItem", 'g');
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1),
            "Arrange Diagram would change what Defeater0 holds: nothing was moved");
  EXPECT_EQ(f.diagram().sentence(1).box(), reason.box());

  // With the rectangle back and the reason dragged away, it is put back under
  // its claim, the defeater holding what it held; one Undo takes it back.
  f.diagram().defeater(0).ChallengedRect = challenged;
  f.diagram().geometryChanged({ElementKind::Defeater, 0});
  DiagramEdit(f.diagram()).moveSentences({1}, 400, 300);
  const TSentence moved = f.diagram().sentence(1);
  choose(f, "ViewMenuItem", 'g');
  EXPECT_EQ(f.diagram().sentence(1).box(), reason.box());
  EXPECT_EQ(defeaterHolds(f.diagram(), 0), held);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Arrange Diagram");
  choose(f, "EditMenuItem", 'u');
  EXPECT_EQ(f.diagram().sentence(1).box(), moved.box());
}

// Writing an argument map keeps neither positions nor statuses: it is an
// export. Save afterwards still asks where to keep the diagram, offering our
// own diagram file first, and Exit keeps the unsaved move in a copy.
TEST_F(AifWindowTest, SaveAsAifExportsAndLeavesTheDiagramUnsaved) {
  const QString map = writeFolderWithMap();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  modals.filePaths = {map};
  choose(f, "FileMenuItem", 'o');
  ASSERT_EQ(f.diagram().SentenceCount(), 3);

  const QString m2 = dir_.filePath("m2.json");
  modals.filePaths = {m2};
  modals.fileTypes = {"AIF argument map (*.json)"};
  choose(f, "FileMenuItem", 'a');
  const QByteArray exported = fileBytes(m2);
  ASSERT_NE(exported.indexOf("\"nodes\""), -1);
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1),
            "Exported as AIF: positions and statuses are not kept in AIF.");
  EXPECT_EQ(modals.fileDialogTypes.back().front(), "Diagram file (*.json)");
  EXPECT_EQ(modals.fileDialogChosenTypes.back(), "Diagram file (*.json)");

  // A sentence nudged with the selection tool and the Right key.
  const TSentence before = f.diagram().sentence(0);
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  const Rect box = before.box();
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2));
  ASSERT_TRUE(f.diagram().sentence(0).Selected);
  QWidget* keys = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
  QTest::keyClick(keys, Qt::Key_Right);
  const int32_t moved = f.diagram().sentence(0).Left;
  ASSERT_GT(moved, before.Left);

  // Ctrl+S asks where, our own type chosen; cancelled, nothing is written.
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QTest::keyClick(keys, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(modals.fileDialogs, 3);
  EXPECT_EQ(modals.fileDialogChosenTypes.back(), "Diagram file (*.json)");
  EXPECT_EQ(fileBytes(m2), exported);
  EXPECT_TRUE(f.fileCommands().hasChanges());

  // Exit keeps the move in the map's recovery copy.
  choose(f, "FileMenuItem", 'x');
  const std::optional<std::filesystem::path> copy = f.fileCommands().newerRecoveryCopy();
  ASSERT_TRUE(copy);
  Diagram kept;
  ASSERT_FALSE(openDiagram(kept, {*copy, DiagramFormat::Json}, paradox::tableOpener()).error);
  EXPECT_EQ(kept.sentence(0).Left, moved);
  EXPECT_EQ(modals.unanswered, 0);
}

}  // namespace
}  // namespace zorvex::testing
