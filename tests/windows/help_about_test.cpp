#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "views/ui/AboutUnit.h"
#include "views/ui/HelpFormUnit.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(HelpForm, ShowsTheLinesOfHelpTxt) {
  QTemporaryDir dir;
  writeFile(dir.filePath("help.txt"), "Zorvex! help\r\n\r\nPress <Evaluate> & see\r\n");
  ScriptedMessageBoxes boxes;
  THelpForm form(boxes, dir.path());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.HelpMemo->toPlainText(), "Zorvex! help\n\nPress <Evaluate> & see");
  EXPECT_EQ(form.HelpMemo->document()->blockCount(), 3);
  EXPECT_TRUE(form.HelpMemo->isReadOnly());

  form.show();
  EXPECT_EQ(form.focusWidget(), form.Button1);
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
}

TEST(HelpForm, ReadsLatin1WhenTheFileIsNotUtf8) {
  QTemporaryDir dir;
  writeFile(dir.filePath("help.txt"), "Caf\xe9\nna\xefve");
  ScriptedMessageBoxes boxes;
  THelpForm form(boxes, dir.path());
  EXPECT_EQ(form.HelpMemo->toPlainText(), QString::fromUtf8("Caf\u00e9\nna\u00efve"));

  writeFile(dir.filePath("help.txt"), "Caf\xc3\xa9");
  form.FormCreate(boxes, dir.path());
  EXPECT_EQ(form.HelpMemo->toPlainText(), QString::fromUtf8("Caf\u00e9"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(HelpForm, MissingHelpTxtGivesOneErrorBoxAndAnEmptyMemo) {
  QTemporaryDir dir;
  ScriptedMessageBoxes boxes;
  THelpForm form(boxes, dir.path());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, BoxKind::Error);
  EXPECT_EQ(boxes.shown[0].caption, "Zorvex!");
  EXPECT_EQ(boxes.shown[0].text, "Cannot open file help.txt.");
  EXPECT_TRUE(form.HelpMemo->toPlainText().isEmpty());
}

TEST(MessageBoxes, ScriptedBoxesRecordAndAnswerInOrder) {
  ScriptedMessageBoxes boxes;
  boxes.answers = {true, false};
  ScopedMessageBoxes scope(boxes);
  messageBoxes().error(ZorvexError("Integer overflow"));
  EXPECT_TRUE(messageBoxes().confirm("Delete?"));
  EXPECT_FALSE(messageBoxes().confirm("Keep?"));
  EXPECT_FALSE(messageBoxes().confirm("More?"));
  messageBoxes().warning("No");
  messageBoxes().information("Data\r\nMore");
  EXPECT_EQ(boxes.texts(),
            (std::vector<std::string>{"Integer overflow.", "Delete?", "Keep?", "More?", "No", "Data\r\nMore"}));
  EXPECT_EQ(boxes.unanswered, 1);
  EXPECT_EQ(boxes.shown[1].caption, "Confirm");
  EXPECT_EQ(boxes.shown[4].caption, "Warning");
  EXPECT_EQ(boxes.shown[5].caption, "Information");
}

TEST(AboutForm, ShowsFifteenLinesAndHidesOnOk) {
  TAboutForm form;
  EXPECT_EQ(form.windowTitle(), "About Zorvex!");
  EXPECT_EQ(form.size(), QSize(388, 250));
  const QStringList lines = form.Memo1->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 15);
  EXPECT_EQ(lines[0], "Zorvex! - a mediation system for argumentation with defeasible arguments");
  EXPECT_EQ(lines[2], "Version 23-6-1998");
  for (int empty : {1, 3, 8, 11}) EXPECT_TRUE(lines[empty].isEmpty()) << empty;
  EXPECT_EQ(form.Memo1->geometry(), QRect(0, 0, 388, 209));
  EXPECT_EQ(form.Button1->geometry(), QRect(8, 8, 75, 25));

  form.showAtStartup();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.focusWidget(), form.Button1);
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  form.showAtStartup();
  EXPECT_EQ(form.Memo1->toPlainText().split('\n').size(), 15);
}

}  // namespace
}  // namespace zorvex
