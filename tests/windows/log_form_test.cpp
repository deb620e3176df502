#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "eval/ui/LogFormUnit.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A long run until stable logs hundreds of thousands of lines: a hidden
// window takes them when it shows, and shows them all then.
TEST(LogForm, AHiddenWindowTakesVeryManyLinesWhenItShows) {
  EvaluationLog log;
  log.AppendLogLine("[Reset]");
  TLogForm form(log);
  for (int i = 0; i < 20000; ++i) log.AppendLogLine("Sentence" + std::to_string(i) + " is justified.");
  form.appendLines();
  EXPECT_EQ(form.LogMemo->document()->blockCount(), 1);
  form.show();
  EXPECT_EQ(form.LogMemo->document()->blockCount(), 20001);
  EXPECT_EQ(form.LogMemo->document()->lastBlock().text(), "Sentence19999 is justified.");
  log.AppendLogLine("");
  form.appendLines();
  EXPECT_EQ(form.LogMemo->document()->blockCount(), 20002);
}

TEST(LogForm, ShowsAppendedLinesAndTypingBecomesTheLog) {
  EvaluationLog log;
  log.AppendLogLine("[Reset]");
  TLogForm form(log);
  EXPECT_EQ(form.LogMemo->toPlainText(), "[Reset]");
  EXPECT_FALSE(form.LogMemo->isReadOnly());

  log.AppendLogLine("All sentences are unevaluated.");
  log.AppendLogLine("");
  form.appendLines();
  EXPECT_EQ(form.LogMemo->toPlainText(), "[Reset]\nAll sentences are unevaluated.\n");
  EXPECT_EQ(log.lines().size(), 3u);  // showing does not write back

  form.show();
  form.LogMemo->moveCursor(QTextCursor::End);
  QTest::keyClicks(form.LogMemo, "my note");
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"[Reset]", "All sentences are unevaluated.", "my note"}));
  QTest::keyClick(form.LogMemo, Qt::Key_Return);
  log.AppendLogLine("[User]");
  form.appendLines();
  EXPECT_EQ(form.LogMemo->toPlainText(), "[Reset]\nAll sentences are unevaluated.\nmy note\n\n[User]");
  // Undo takes back typing, never logged lines.
  for (int i = 0; i < 20; ++i) QTest::keyClick(form.LogMemo, Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(log.lines().size(), 5u);
  EXPECT_EQ(log.lines().back(), "[User]");

  QTemporaryDir dir;
  log.SaveLog(dir.path().toStdString());
  EXPECT_EQ(readFile(dir.filePath("log.txt")),
            "[Reset]\r\nAll sentences are unevaluated.\r\nmy note\r\n\r\n[User]\r\n");
}

TEST(LogForm, StartsTheLogAndShowsTheHeader) {
  QTemporaryDir dir;
  {
    QFile previous(dir.filePath("log.txt"));
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("earlier run\r\n");
  }
  EvaluationLog log;
  TLogForm form(log);
  form.FormCreate(dir.path());
  EXPECT_EQ(readFile(dir.filePath("oldlog.txt")), "earlier run\r\n");
  const QStringList lines = form.LogMemo->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 4);
  EXPECT_TRUE(lines[1].startsWith("Logs of  "));
  EXPECT_EQ(lines[0], QString(lines[1].size(), '-'));
  EXPECT_TRUE(lines[3].isEmpty());

  // An unwritable directory: the header still shows and the failure is thrown
  // for the main window to report.
  EvaluationLog other;
  TLogForm otherForm(other);
  EXPECT_THROW(otherForm.FormCreate(dir.filePath("no/such/dir")), ZorvexError);
  EXPECT_EQ(otherForm.LogMemo->document()->blockCount(), 4);
}

TEST(LogForm, CloseReportsAndStayOnTopToggles) {
  EvaluationLog log;
  TLogForm form(log);
  int callbacks = 0;
  form.OnClose = [&] { ++callbacks; };
  QSignalSpy spy(&form, &TLogForm::closed);
  form.show();
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(callbacks, 1);
  EXPECT_EQ(spy.count(), 1);
  form.hide();  // hiding from the main window is not a close
  EXPECT_EQ(callbacks, 1);

  form.show();
  EXPECT_TRUE(form.StayOnTopCheckBox->isChecked());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  QTest::mouseClick(form.StayOnTopCheckBox, Qt::LeftButton);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(form.isVisible());
  QTest::mouseClick(form.StayOnTopCheckBox, Qt::LeftButton);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace zorvex
