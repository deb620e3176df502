// The File and Edit menus as a person uses them: opened from the menu bar,
// items chosen by their letters, and the real file
// dialogs and message boxes answered while they are open.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramFileCommands.h"
#include "model/paradox/ParadoxTable.h"
#include "tests/support/ImmutableFile.h"

namespace zorvex::testing {
namespace {

class RealFileMenusTest : public AppTest {
 protected:
  // A click on the menu bar opens the menu; its item is chosen by its letter.
  void choose(TArgumentForm& f, QMenu* barMenu, char itemLetter) {
    QMenuBar* bar = f.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(barMenu->menuAction()).center());
    ASSERT_EQ(QApplication::activePopupWidget(), barMenu);
    QTest::keyClick(barMenu, itemLetter);
  }
  void addSentence(TArgumentForm& f, QPoint at) {
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, at);
    QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  }
};

TEST_F(RealFileMenusTest, SaveAsOpenDiscardExportAndUndoThroughTheMenusDialogsAndBoxes) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  QFile help("help.txt");
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;

  // File, Save As: a diagram file.
  const QString saved = dir_.filePath("saved.json");
  modals.filePaths = {saved};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'a');
  EXPECT_EQ(modals.fileDialogs, 1);
  ASSERT_TRUE(QFile::exists(saved));

  // A change, then File, Open of the saved file: the real question comes
  // first; "&No" keeps the change, "&Yes" opens.
  addSentence(f, QPoint(300, 150));
  ASSERT_EQ(f.diagram().SentenceCount(), 2);
  modals.filePaths = {saved};
  modals.boxAnswers = {"&No"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'o');
  EXPECT_EQ(modals.boxTexts, std::vector<QString>({"Do you want to discard the changes to the current diagram?"}));
  // What Yes discards is in sight: Yes stays the default.
  EXPECT_EQ(modals.boxDefaults, std::vector<QString>({"&Yes"}));
  EXPECT_EQ(f.diagram().SentenceCount(), 2);
  modals.filePaths = {saved};
  modals.boxAnswers = {"&Yes"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'o');
  EXPECT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_EQ(f.diagram().SentenceCount(), 1);

  // File, Export Picture: the name without an ending takes the PNG filter's.
  modals.filePaths = {dir_.filePath("picture")};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'e');
  EXPECT_TRUE(QImage(dir_.filePath("picture.png")).width() >= 640);

  // Edit, Undo takes back a sentence added after opening.
  addSentence(f, QPoint(300, 250));
  ASSERT_FALSE(f.diagram().sentence(1).Deleted);
  choose(f, control<QMenu>(f, "EditMenuItem"), 'u');
  EXPECT_TRUE(f.diagram().sentence(1).Deleted);
  EXPECT_EQ(modals.fileDialogs, 4);
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(RealFileMenusTest, UndoingBackToTheOpenedDiagramLeavesNothingToDiscardOrRecover) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;

  // A sentence added and taken back: Open asks nothing.
  addSentence(f, QPoint(300, 150));
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  ASSERT_TRUE(f.diagram().sentence(1).Deleted);
  modals.filePaths = {dir_.filePath("SentencesDb.db")};
  QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(modals.fileDialogs, 1);
  EXPECT_EQ(modals.boxTexts, std::vector<QString>());
  EXPECT_EQ(f.diagram().SentenceCount(), 1);

  // Again, then closing: no recovery copy.
  addSentence(f, QPoint(300, 150));
  choose(f, control<QMenu>(f, "EditMenuItem"), 'u');
  ASSERT_TRUE(f.diagram().sentence(1).Deleted);
  choose(f, control<QMenu>(f, "FileMenuItem"), 'x');
  EXPECT_FALSE(std::filesystem::exists(f.fileCommands().recoveryFolder));
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(RealFileMenusTest, ASaveOneTableOfWhichCannotBeReplacedChangesNoTable) {
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
  writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 200, 50, 40, 40, 200, 40}, "A", "B"}});
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  const QByteArray sentences = fileBytes("SentencesDb.db");
  const ImmutableFile immutable(dir_.filePath("ArrowsDb.DB").toStdString());
  if (!immutable.set) GTEST_SKIP() << "the kernel refuses the immutable attribute here: " << immutable.refused;

  // Sentence B deleted with its arrow, then File, Save.
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(230, 50));
  modals.boxAnswers = {"&Yes", "OK"};
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
  ASSERT_TRUE(f.diagram().sentence(1).Deleted);
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  ASSERT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_EQ(modals.boxTexts[1], "Cannot write table ArrowsDb.DB: the file is marked immutable.");
  EXPECT_EQ(fileBytes("SentencesDb.db"), sentences);

  // The next command after the box works: the deletion is taken back.
  choose(f, control<QMenu>(f, "EditMenuItem"), 'u');
  EXPECT_FALSE(f.diagram().sentence(1).Deleted);
  EXPECT_FALSE(f.diagram().arrow(0).Deleted);
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(RealFileMenusTest, SaveAsOverAFoldersSentenceTableSavesIntoThatFolder) {
  QDir().mkdir("other");
  QDir::setCurrent("other");
  writeSentences({{10, 10, 50, 30, "X"}, {100, 10, 150, 30, "Y"}});
  writeArrowsAndDefeaters();
  QDir::setCurrent(dir_.path());
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;

  // The dialog asks whether to replace the table; yes saves the folder.
  modals.filePaths = {dir_.filePath("other/SentencesDb.db")};
  modals.boxAnswers = {"&Yes"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'a');
  ASSERT_EQ(modals.boxTexts.size(), 1u);
  EXPECT_TRUE(modals.boxTexts[0].contains("already exists")) << modals.boxTexts[0].toStdString();
  auto sentences = paradox::ParadoxTable::open(dir_.filePath("other/SentencesDb.db").toStdString());
  ASSERT_EQ(sentences->rowCount(), 1u);
  EXPECT_EQ(sentences->displayText(0, sentences->columnIndex("Text")), "A");
  sentences.reset();

  // The next save goes there too, without a question.
  addSentence(f, QPoint(300, 150));
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(modals.boxTexts.size(), 1u);
  EXPECT_EQ(paradox::ParadoxTable::open(dir_.filePath("other/SentencesDb.db").toStdString())->rowCount(), 2u);
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(RealFileMenusTest, AFailedOpenKeepsTheDiagramAndWhereItIsSaved) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  const QByteArray cut = R"({"sentences": [{"Left": 10, "Top": 10, "Text": "X"}, {"Left": 90, "Top")";
  QFile broken(dir_.filePath("broken.json"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write(cut);
  broken.close();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  addSentence(f, QPoint(300, 150));

  modals.filePaths = {dir_.filePath("broken.json")};
  modals.boxAnswers = {"&Yes", "OK"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'o');
  ASSERT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_TRUE(modals.boxTexts[1].startsWith("Cannot read diagram file " + dir_.filePath("broken.json") + ": Invalid JSON"))
      << modals.boxTexts[1].toStdString();
  EXPECT_EQ(f.diagram().SentenceCount(), 2);

  // Save writes the diagram kept back to its tables, without a question.
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_EQ(fileBytes(dir_.filePath("broken.json")), cut);
  EXPECT_EQ(paradox::ParadoxTable::open("SentencesDb.db")->rowCount(), 2u);
  EXPECT_FALSE(f.fileCommands().hasChanges());
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(RealFileMenusTest, SavingOverTablesStartUpCouldNotReadAsksFirst) {
  writeSentences({{10, 10, 50, 30, "X"}, {100, 10, 150, 30, "Y"}});
  writeArrowsAndDefeaters();
  // An arrow table that lacks every column but one.
  paradox::writeTable("ArrowsDb.DB", {{"Center1X", paradox::FieldType::Long}}, {{int32_t{5}}});
  QFile("help.txt").open(QIODevice::WriteOnly);
  std::map<QString, QByteArray> tables;
  for (const char* name : {"SentencesDb.db", "ArrowsDb.DB", "DefeatersDb.DB"}) tables[name] = fileBytes(name);
  TArgumentForm& f = start();
  ASSERT_EQ(boxes_.textsOf(BoxKind::Error), std::vector<std::string>({"Field 'Center1Y' not found."}));
  ASSERT_EQ(f.diagram().SentenceCount(), 2);  // what was read
  RealMessageBoxes realBoxes;
  ModalAnswers modals;

  // Enter answers No.
  modals.boxAnswers = {ModalAnswers::Enter};
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  ASSERT_EQ(modals.boxTexts.size(), 1u);
  EXPECT_EQ(modals.boxTexts[0],
            dir_.path() + " could not be read completely. Do you want to replace it with the diagram shown?");
  EXPECT_EQ(modals.boxDefaults, std::vector<QString>({"&No"}));
  for (const auto& [name, bytes] : tables) EXPECT_EQ(fileBytes(name), bytes) << name.toStdString();

  modals.boxAnswers = {"&Yes"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  ASSERT_EQ(modals.boxTexts.size(), 2u) << modals.boxTexts.back().toStdString();
  EXPECT_NE(fileBytes("ArrowsDb.DB"), tables["ArrowsDb.DB"]);
  // Saved there, the tables are the diagram in the window: no more questions.
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(modals.boxTexts.size(), 2u) << modals.boxTexts.back().toStdString();
  EXPECT_EQ(modals.unanswered, 0);
}

TEST_F(RealFileMenusTest, SavingStatusesToTablesSaysTheyAreKeptOnlyInJsonFiles) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  QFile("help.txt").open(QIODevice::WriteOnly);
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  const QString kept = QStringLiteral("Saved. Statuses are kept only in .json files.");

  // Nothing evaluated: the save says only where it went.
  addSentence(f, QPoint(300, 150));
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1), "Saved to " + dir_.path() + ".");
  // A status set by hand: the tables lose it.
  modals.menuAnswers = {ModalAnswers::choose('j')};
  QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(50, 50));
  ASSERT_NE(f.diagram().sentence(0).Status, NotEvaluated);
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1), kept);
  // A diagram file keeps them.
  control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->setPanelText(1, QString());
  modals.filePaths = {dir_.filePath("kept.json")};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'a');
  ASSERT_TRUE(QFile::exists(dir_.filePath("kept.json")));
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1),
            "Saved to " + dir_.filePath("kept.json") + ".");
  EXPECT_EQ(modals.boxTexts, std::vector<QString>());
}

// A folder chosen for Save As that holds a diagram: Enter keeps it, and the
// next Save As, answered Yes, replaces it.
TEST_F(RealFileMenusTest, SaveAsIntoAFolderHoldingADiagramKeepsItOnEnter) {
  QDir().mkdir("other");
  QDir::setCurrent("other");
  writeSentences({{10, 10, 50, 30, "X"}});
  writeArrowsAndDefeaters();
  QDir::setCurrent(dir_.path());
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
  writeArrowsAndDefeaters();
  const QByteArray theirs = fileBytes("other/SentencesDb.db");
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  // As a platform's own dialog may hand back a folder.
  f.fileCommands().dialogs.saveAsPath = [&] { return std::optional<QString>(dir_.filePath("other")); };

  modals.boxAnswers = {ModalAnswers::Enter};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'a');
  EXPECT_EQ(modals.boxTexts, std::vector<QString>({dir_.filePath("other") +
                                                   " already holds a diagram. Do you want to replace it?"}));
  EXPECT_EQ(modals.boxDefaults, std::vector<QString>({"&No"}));
  EXPECT_EQ(fileBytes("other/SentencesDb.db"), theirs);

  modals.boxAnswers = {"&Yes"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'a');
  EXPECT_EQ(paradox::ParadoxTable::open(dir_.filePath("other/SentencesDb.db").toStdString())->rowCount(), 2u);
  EXPECT_EQ(modals.unanswered, 0);
}

// Two windows on one folder: what the other one saved since this one read
// the tables is not written over without the real question.
TEST_F(RealFileMenusTest, ASaveOverWhatAnotherProgramSavedSinceAsksFirst) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  const QString question = "The diagram was changed by another program since it was opened. Replace it with this one?";
  addSentence(f, QPoint(300, 150));
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "Theirs"}});  // the other window's save
  const QByteArray theirs = fileBytes("SentencesDb.db");

  // Enter answers No: their tables and this window's diagram are kept.
  modals.boxAnswers = {ModalAnswers::Enter};
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(modals.boxTexts, std::vector<QString>({question}));
  EXPECT_EQ(modals.boxDefaults, std::vector<QString>({"&No"}));
  EXPECT_EQ(fileBytes("SentencesDb.db"), theirs);
  EXPECT_TRUE(f.fileCommands().hasChanges());

  // The next action after the box: Save As elsewhere keeps both, without the question.
  const QString mine = dir_.filePath("mine.json");
  modals.filePaths = {mine};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'a');
  EXPECT_EQ(modals.boxTexts.size(), 1u);
  ASSERT_TRUE(QFile::exists(mine));

  // Their window writes the same file again: Yes replaces it, and the next save asks nothing.
  QFile other(mine);
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write(R"({"sentences": [{"Left": 10, "Top": 10, "Right": 60, "Bottom": 30, "Text": "X"}]})");
  other.close();
  modals.boxAnswers = {"&Yes"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(modals.boxTexts, std::vector<QString>({question, question}));
  Diagram saved;
  ASSERT_FALSE(openDiagram(saved, locationFor(mine.toStdString()), paradox::tableOpener()).error);
  EXPECT_EQ(saved.SentenceCount(), 2);
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(modals.boxTexts.size(), 2u);

  // A diagram opened with File, Open is watched from the moment it is read.
  modals.filePaths = {dir_.filePath("SentencesDb.db")};
  choose(f, control<QMenu>(f, "FileMenuItem"), 'o');
  writeSentences({{40, 40, 100, 60, "A"}});
  modals.boxAnswers = {"&No"};
  choose(f, control<QMenu>(f, "FileMenuItem"), 's');
  EXPECT_EQ(modals.boxTexts.size(), 3u);
  EXPECT_EQ(paradox::ParadoxTable::open("SentencesDb.db")->rowCount(), 1u);
  EXPECT_EQ(modals.unanswered, 0);
}

}  // namespace
}  // namespace zorvex::testing
