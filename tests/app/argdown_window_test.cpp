// Argdown texts in the window, through the real Open and Save As dialogs:
// the report in the status bar and the log, Save asking for a place, and
// Save As writing Argdown and GraphML as exports that leave Save where it was.
#include <QApplication>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramFileCommands.h"
#include "edit/DefeaterHolds.h"

namespace zorvex::testing {
namespace {

class ArgdownWindowTest : public AppTest {
 protected:
  void choose(TArgumentForm& f, char itemLetter) {
    QMenu* menu = control<QMenu>(f, "FileMenuItem");
    QMenuBar* bar = f.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_EQ(QApplication::activePopupWidget(), menu);
    QTest::keyClick(menu, itemLetter);
  }
  QString statusText(TArgumentForm& f) { return control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1); }
};

const char* const Text =
    "[Claim]: We should cycle.\n"
    "  + [Health]: Cycling is healthy.\n"
    "  - [Rain]: It rains a lot. #weather\n"
    "+ [Lost]: a relation with nothing above\n";

TEST_F(ArgdownWindowTest, OpenReportsAndSaveAsExportsArgdownAndGraphMl) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  const QString text = dir_.filePath("cycling.argdown");
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Text);
  file.close();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;

  // File, Open with the Argdown type: laid out, reported, told by its ending.
  modals.filePaths = {text};
  modals.fileTypes = {"Argdown text (*.argdown)"};
  choose(f, 'o');
  ASSERT_EQ(f.diagram().SentenceCount(), 3);
  EXPECT_EQ(f.diagram().ArrowCount(), 1);
  EXPECT_EQ(defeaterHolds(f.diagram(), 0).challenged.sentences, std::vector<int32_t>{0});
  const std::string report = "Read an Argdown text: 3 sentences, 1 arrow, 1 rebuttal and 0 undercutters";
  const std::string leftOut = "Left out: 1 tag, 1 line that could not be read (line 4)";
  EXPECT_EQ(statusText(f).toStdString(), report + ". " + leftOut);
  const std::string log = fileBytes("log.txt").toStdString();
  EXPECT_NE(log.find("[Open] " + report), std::string::npos) << log;
  EXPECT_NE(log.find("[Open] " + leftOut), std::string::npos) << log;

  // Save As, Argdown: an export with the ending added; the text is unchanged.
  modals.filePaths = {dir_.filePath("out")};
  modals.fileTypes = {"Argdown text (*.argdown)"};
  choose(f, 'a');
  const std::string written = fileBytes(dir_.filePath("out.argdown")).toStdString();
  EXPECT_EQ(written.substr(0, 27), "[We should cycle]: We shoul");
  EXPECT_NE(written.find("  -> [We should cycle]"), std::string::npos) << written;
  EXPECT_EQ(statusText(f), "Exported as Argdown: the statuses of arrows and defeaters are not kept in Argdown.");
  EXPECT_EQ(fileBytes(text), QByteArray(Text));

  // Save As, GraphML: the same, in GraphML.
  modals.filePaths = {dir_.filePath("out.graphml")};
  modals.fileTypes = {"GraphML (*.graphml)"};
  choose(f, 'a');
  EXPECT_NE(fileBytes(dir_.filePath("out.graphml")).indexOf("<y:ShapeNode>"), -1);
  EXPECT_EQ(statusText(f), "Exported as GraphML, for graph editors: it is not opened again.");

  // The next Save still asks where, our own diagram file offered first.
  modals.filePaths = {dir_.filePath("kept.json")};
  choose(f, 's');
  EXPECT_EQ(modals.fileDialogChosenTypes.back(), "Diagram file (*.json)");
  EXPECT_NE(fileBytes(dir_.filePath("kept.json")).indexOf("\"sentences\""), -1);
  EXPECT_FALSE(f.fileCommands().hasChanges());
  EXPECT_EQ(fileBytes(text), QByteArray(Text));
  EXPECT_EQ(modals.unanswered, 0);
}

}  // namespace
}  // namespace zorvex::testing
