#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"
#include "views/ui/MessageBoxes.h"
#include "views/ui/TableViews.h"

namespace zorvex {
namespace {

using namespace paradox;

const std::vector<Field> SentenceFields{{"Left", FieldType::Long},
                                        {"Top", FieldType::Long},
                                        {"Right", FieldType::Long},
                                        {"Bottom", FieldType::Long},
                                        {"Text", FieldType::Alpha, 40}};

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The table as a fresh reader sees the file now (without taking its lock).
std::vector<Row> rowsOnDisk(const std::string& path) {
  const std::string bytes = bytesOf(path);
  auto table = ParadoxTable::fromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()), path);
  std::vector<Row> rows;
  for (size_t r = 0; r < table->rowCount(); ++r) rows.push_back(table->row(r));
  return rows;
}

Row sentenceRow(int32_t left, const char* text) { return {left, 20, left + 50, 35, std::string(text)}; }

struct Scene {
  QTemporaryDir dir;
  std::string sentences;
  ScriptedMessageBoxes boxes;
  QWidget client;
  std::unique_ptr<TTableViews> views;
  Scene() : sentences(dir.filePath("SentencesDb.db").toStdString()) {
    writeTable(sentences, SentenceFields, {sentenceRow(10, "Tweety flies"), sentenceRow(100, "Tweety is a bird")});
    client.resize(700, 450);
    views = std::make_unique<TTableViews>(client, boxes, dir.path().toStdString());
  }
  TableModel& model() { return *views->SentencesDataSource; }
  void openSentences() { views->ViewSentencesTableCheckBox->setChecked(true); }
};

bool lockedByOthers(const std::string& path) {
  try {
    ParadoxTable::open(path)->close();
    return false;
  } catch (const ZorvexError&) {
    return true;
  }
}

TEST(TableViews, EverythingIsCreatedHiddenAndUnchecked) {
  Scene s;
  TTableViews& v = *s.views;
  EXPECT_TRUE(v.ViewCheckBoxesPanel->isHidden());
  EXPECT_EQ(v.ViewCheckBoxesPanel->geometry(), QRect(416, 42, 169, 74));
  const QCheckBox* boxes[] = {v.ViewSentencesTableCheckBox, v.ViewArrowsTableCheckBox, v.ViewDefeatersTableCheckBox};
  const char* captions[] = {"View Sentences Table", "View Arrows Table", "View Defeaters Table"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(boxes[i]->text(), captions[i]);
    EXPECT_FALSE(boxes[i]->isChecked());
    EXPECT_EQ(boxes[i]->geometry(), QRect(7, 7 + 20 * i, 156, 13));
    EXPECT_EQ(boxes[i]->parentWidget(), v.ViewCheckBoxesPanel.data());
  }
  EXPECT_EQ(v.SentencesDBGrid->geometry(), QRect(96, 15, 391, 97));
  EXPECT_EQ(v.ArrowsDBGrid->geometry(), QRect(96, 139, 391, 97));
  EXPECT_EQ(v.DefeatersDBGrid->geometry(), QRect(96, 263, 391, 97));
  EXPECT_EQ(v.SentencesDBNavigator->geometry(), QRect(182, 112, 200, 20));
  EXPECT_EQ(v.ArrowsDBNavigator->geometry(), QRect(182, 236, 200, 20));
  EXPECT_EQ(v.DefeatersDBNavigator->geometry(), QRect(190, 360, 200, 20));
  for (QWidget* w : std::initializer_list<QWidget*>{v.SentencesDBGrid, v.ArrowsDBGrid, v.DefeatersDBGrid,
                                                    v.SentencesDBNavigator, v.ArrowsDBNavigator,
                                                    v.DefeatersDBNavigator}) {
    EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(w->parentWidget(), &s.client);
  }
  EXPECT_EQ(v.SentencesDBNavigator->button(TableNavigator::First)->toolTip(), "First record");
  EXPECT_EQ(v.SentencesDBNavigator->button(TableNavigator::Refresh)->toolTip(), "Refresh data");
  EXPECT_EQ(v.SentencesTable(), nullptr);
  EXPECT_FALSE(lockedByOthers(s.sentences));
  EXPECT_TRUE(s.boxes.shown.empty());
}

TEST(TableViews, CheckingOpensExclusivelyAndUncheckingClosesTwice) {
  Scene s;
  TTableViews& v = *s.views;
  for (int round = 0; round < 2; ++round) {
    s.openSentences();
    ASSERT_NE(v.SentencesTable(), nullptr);
    EXPECT_TRUE(lockedByOthers(s.sentences));
    EXPECT_FALSE(v.SentencesDBGrid->isHidden());
    EXPECT_FALSE(v.SentencesDBNavigator->isHidden());
    EXPECT_EQ(s.model().rowCount(), 2);
    EXPECT_EQ(s.model().columnCount(), 5);
    EXPECT_EQ(s.model().headerData(4, Qt::Horizontal).toString(), "Text");
    EXPECT_EQ(s.model().index(1, 4).data().toString(), "Tweety is a bird");
    EXPECT_EQ(s.model().index(1, 2).data().toString(), "150");

    v.ViewSentencesTableCheckBox->setChecked(false);
    EXPECT_EQ(v.SentencesTable(), nullptr);
    EXPECT_TRUE(v.SentencesDBGrid->isHidden());
    EXPECT_TRUE(v.SentencesDBNavigator->isHidden());
    EXPECT_EQ(s.model().rowCount(), 0);
    EXPECT_FALSE(lockedByOthers(s.sentences));
  }
  EXPECT_TRUE(v.ArrowsDBGrid->isHidden());
  EXPECT_TRUE(s.boxes.shown.empty());
}

TEST(TableViews, AMissingTableShowsTheErrorAndKeepsTheViewsHidden) {
  Scene s;
  TTableViews& v = *s.views;
  v.ViewArrowsTableCheckBox->setChecked(true);
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_EQ(s.boxes.shown[0].kind, BoxKind::Error);
  EXPECT_EQ(s.boxes.shown[0].text, "Cannot open file " + s.dir.filePath("ArrowsDb.DB").toStdString() + ".");
  EXPECT_TRUE(v.ViewArrowsTableCheckBox->isChecked());
  EXPECT_TRUE(v.ArrowsDBGrid->isHidden());
  EXPECT_TRUE(v.ArrowsDBNavigator->isHidden());
  v.ViewArrowsTableCheckBox->setChecked(false);
  EXPECT_EQ(s.boxes.shown.size(), 1u);

  // Held by another program: the busy message.
  auto other = ParadoxTable::open(s.sentences);
  s.openSentences();
  ASSERT_EQ(s.boxes.shown.size(), 2u);
  EXPECT_EQ(s.boxes.shown[1].text, "Table " + s.sentences + " is busy: another program has it open.");
  EXPECT_TRUE(v.SentencesDBGrid->isHidden());
}

TEST(TableViews, CellEditsAreWrittenToTheFile) {
  Scene s;
  s.openSentences();
  TableModel& m = s.model();
  EXPECT_TRUE(m.setData(m.index(0, 4), QStringLiteral("Tweety vliegt")));
  EXPECT_TRUE(m.setData(m.index(1, 0), QStringLiteral(" -12 ")));
  EXPECT_EQ(m.index(1, 0).data().toString(), "-12");
  EXPECT_EQ(rowsOnDisk(s.sentences),
            (std::vector<Row>{sentenceRow(10, "Tweety vliegt"), {-12, 20, 150, 35, std::string("Tweety is a bird")}}));
  // An emptied cell stays empty.
  EXPECT_TRUE(m.setData(m.index(1, 1), QString()));
  EXPECT_TRUE(isEmpty(rowsOnDisk(s.sentences)[1][1]));

  // Refused values leave the file byte for byte as it was.
  const std::string before = bytesOf(s.sentences);
  EXPECT_FALSE(m.setData(m.index(0, 1), QStringLiteral("twelve")));
  EXPECT_FALSE(m.setData(m.index(0, 1), QStringLiteral("2147483648")));
  EXPECT_FALSE(m.setData(m.index(0, 4), QString::fromUtf8("\u4e2d\u6587")));
  EXPECT_EQ(bytesOf(s.sentences), before);
  EXPECT_EQ(s.boxes.textsOf(BoxKind::Error),
            (std::vector<std::string>{"'twelve' is not a valid integer value.", "Integer overflow.",
                                      "The text '\u4e2d\u6587' cannot be stored in code page 1252."}));
  EXPECT_EQ(m.index(0, 4).data().toString(), "Tweety vliegt");

  // The edits survive closing and opening again.
  s.views->ViewSentencesTableCheckBox->setChecked(false);
  s.openSentences();
  EXPECT_EQ(m.index(0, 4).data().toString(), "Tweety vliegt");
}

TEST(TableViews, AFailedWriteLeavesTheFileAsItWas) {
  Scene s;
  s.openSentences();
  const std::string before = bytesOf(s.sentences);
  ASSERT_EQ(chmod(s.sentences.c_str(), 0444), 0);
  EXPECT_FALSE(s.model().setData(s.model().index(0, 4), QStringLiteral("changed")));
  EXPECT_FALSE(s.model().deleteRow(0));
  ASSERT_EQ(chmod(s.sentences.c_str(), 0644), 0);
  EXPECT_EQ(bytesOf(s.sentences), before);
  const std::string refused = "Cannot write table " + s.sentences + ": the file is read-only.";
  EXPECT_EQ(s.boxes.textsOf(BoxKind::Error), (std::vector<std::string>{refused, refused}));
  EXPECT_EQ(s.model().rowCount(), 2);
  EXPECT_EQ(s.model().index(0, 4).data().toString(), "Tweety flies");
}

TEST(TableViews, NavigatorInsertsPostsCancelsAndDeletesRows) {
  Scene s;
  s.openSentences();
  TableNavigator& bar = *s.views->SentencesDBNavigator;
  TableModel& m = s.model();
  TableGrid& grid = *s.views->SentencesDBGrid;

  bar.last();
  EXPECT_EQ(grid.currentRow(), 1);
  bar.insert();  // before the current row, not yet in the file
  EXPECT_EQ(m.rowCount(), 3);
  EXPECT_EQ(m.pendingRow(), 1);
  EXPECT_EQ(rowsOnDisk(s.sentences).size(), 2u);
  bar.cancel();
  EXPECT_EQ(m.rowCount(), 2);
  EXPECT_FALSE(m.hasPendingRow());
  EXPECT_EQ(grid.currentRow(), 1);

  bar.insert();
  ASSERT_EQ(m.pendingRow(), 1);
  grid.cancelEditor();
  for (int c = 0; c < 4; ++c) EXPECT_TRUE(m.setData(m.index(1, c), QString::number(c + 1)));
  EXPECT_TRUE(m.setData(m.index(1, 4), QStringLiteral("Penguins")));
  EXPECT_EQ(rowsOnDisk(s.sentences).size(), 2u);
  bar.post();
  EXPECT_FALSE(m.hasPendingRow());
  EXPECT_EQ(rowsOnDisk(s.sentences), (std::vector<Row>{sentenceRow(10, "Tweety flies"),
                                                       {1, 2, 3, 4, std::string("Penguins")},
                                                       sentenceRow(100, "Tweety is a bird")}));

  bar.first();
  s.boxes.answers = {false, true};
  bar.remove();  // answered No
  EXPECT_EQ(rowsOnDisk(s.sentences).size(), 3u);
  bar.remove();  // answered Yes
  EXPECT_EQ(s.boxes.textsOf(BoxKind::Confirm), (std::vector<std::string>{"Delete record?", "Delete record?"}));
  EXPECT_EQ(rowsOnDisk(s.sentences),
            (std::vector<Row>{{1, 2, 3, 4, std::string("Penguins")}, sentenceRow(100, "Tweety is a bird")}));
  EXPECT_EQ(m.rowCount(), 2);
  EXPECT_EQ(m.index(0, 4).data().toString(), "Penguins");
  EXPECT_EQ(grid.currentRow(), 0);

  // Text typed into the grid's cell editor is written by Post.
  grid.setCurrentIndex(m.index(1, 4));
  bar.edit();
  ASSERT_TRUE(grid.editorOpen());
  auto* editor = qobject_cast<QLineEdit*>(grid.openEditor());
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Tweety is a penguin"));
  bar.post();
  EXPECT_FALSE(grid.editorOpen());
  EXPECT_EQ(rowsOnDisk(s.sentences)[1][4], Value(std::string("Tweety is a penguin")));
  EXPECT_TRUE(s.boxes.textsOf(BoxKind::Error).empty());
}

TEST(TableViews, AnyTableShowsItsOwnColumnsAsAUserReadsThem) {
  Scene s;
  const std::string path = s.dir.filePath("DefeatersDb.DB").toStdString();
  writeTable(path,
             {{"Amount", FieldType::Number}, {"Done", FieldType::Logical}, {"Day", FieldType::Date},
              {"Raw", FieldType::Bytes, 2}},
             {{2.5, true, Date{2024, 2, 29}, Bytes{std::string("\x01\xab", 2)}}});
  s.views->ViewDefeatersTableCheckBox->setChecked(true);
  TableModel& m = *s.views->DefeatersDataSource;
  ASSERT_EQ(m.columnCount(), 4);
  EXPECT_EQ(m.headerData(3, Qt::Horizontal).toString(), "Raw");
  EXPECT_EQ(m.index(0, 0).data().toString(), "2.5");
  EXPECT_EQ(m.index(0, 1).data().toString(), "True");
  EXPECT_EQ(m.index(0, 2).data().toString(), "2024-02-29");
  EXPECT_EQ(m.index(0, 3).data().toString(), "01AB");
  EXPECT_FALSE(m.flags(m.index(0, 3)) & Qt::ItemIsEditable);
  EXPECT_TRUE(m.setData(m.index(0, 1), QStringLiteral("false")));
  EXPECT_TRUE(m.setData(m.index(0, 2), QStringLiteral("2001-12-31")));
  EXPECT_EQ(rowsOnDisk(path), (std::vector<Row>{{2.5, false, Date{2001, 12, 31}, Bytes{std::string("\x01\xab", 2)}}}));
}

TEST(TableViews, DeveloperSwitchReadsZorvexDeveloper) {
  unsetenv("ZORVEX_DEVELOPER");
  EXPECT_FALSE(developerViewsEnabled());
  setenv("ZORVEX_DEVELOPER", "0", 1);
  EXPECT_FALSE(developerViewsEnabled());
  setenv("ZORVEX_DEVELOPER", "1", 1);
  EXPECT_TRUE(developerViewsEnabled());
  unsetenv("ZORVEX_DEVELOPER");
}

}  // namespace
}  // namespace zorvex
