#include "eval/ui/LogFormUnit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "views/ui/InterfaceFont.h"
#include "views/ui/WindowHelpers.h"

namespace zorvex {

namespace {

// A log line that itself holds line breaks shows as several memo lines.
QString memoText(const std::string& line) {
  QString text = QString::fromStdString(line);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

TLogForm::TLogForm(EvaluationLog& log, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), log_(log) {
  setObjectName(QStringLiteral("LogForm"));
  setWindowTitle(QStringLiteral("Logs"));
  move(447, 123);
  resize(531, 419);
  setFont(interfaceFont());

  LogMemo = new QPlainTextEdit(this);
  LogMemo->setObjectName(QStringLiteral("LogMemo"));
  LogMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LogMemo->setFont(fixedMemoFont());
  connect(LogMemo, &QPlainTextEdit::textChanged, this, &TLogForm::LogMemoChange);

  BottomPanel = new QFrame(this);
  BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
  BottomPanel->setFixedHeight(32);
  StayOnTopCheckBox = new QCheckBox(QStringLiteral("Logs &stay on top"), BottomPanel);
  StayOnTopCheckBox->setObjectName(QStringLiteral("StayOnTopCheckBox"));
  StayOnTopCheckBox->move(8, 8);
  StayOnTopCheckBox->adjustSize();
  StayOnTopCheckBox->setChecked(true);
  connect(StayOnTopCheckBox, &QCheckBox::clicked, this, &TLogForm::StayOnTopCheckBoxClick);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(LogMemo, 1);
  layout->addWidget(BottomPanel);

  reloadFromLog();
}

void TLogForm::FormCreate(const QString& directory) {
  const QString dir = directory.isEmpty() ? QDir::currentPath() : directory;
  try {
    log_.StartLog(dir.toStdString(), LogTime::now());
  } catch (...) {
    appendLines();  // the header is in the log even when the save failed
    throw;
  }
  appendLines();
}

void TLogForm::appendLines() {
  const std::size_t count = log_.lines().size();
  // A hidden window takes very many new lines (a long run until stable)
  // only when it shows: laying them out costs more than the run itself.
  if (!isVisible() && count > shownLines_ + LinesKeptForShowing) {
    linesWaiting_ = true;
    return;
  }
  if (count < shownLines_) {
    reloadFromLog();
    return;
  }
  if (count > shownLines_) appendToMemo(shownLines_);
}

void TLogForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!linesWaiting_) return;
  linesWaiting_ = false;
  appendLines();
}

void TLogForm::reloadFromLog() {
  updatingMemo_ = true;
  LogMemo->clear();
  updatingMemo_ = false;
  shownLines_ = 0;
  appendToMemo(0);
}

// Adds the log lines from index from on in one edit, so a round's lines do
// not cost one layout each.
void TLogForm::appendToMemo(std::size_t from) {
  const std::vector<std::string>& lines = log_.lines();
  if (from >= lines.size()) return;
  QString text;
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += memoText(lines[i]);
  }
  updatingMemo_ = true;
  // Undo is for the user's own typing; it must not take back logged lines.
  QTextDocument* document = LogMemo->document();
  document->setUndoRedoEnabled(false);
  QTextCursor end(document);
  end.movePosition(QTextCursor::End);
  end.insertText(text);
  document->setUndoRedoEnabled(true);
  updatingMemo_ = false;
  shownLines_ = lines.size();
  QScrollBar* bar = LogMemo->verticalScrollBar();
  bar->setValue(bar->maximum());
}

// What the user types becomes the log's lines.
void TLogForm::LogMemoChange() {
  if (updatingMemo_) return;
  const QString text = LogMemo->toPlainText();
  std::vector<std::string> lines;
  if (!text.isEmpty()) {
    const QStringList memoLines = text.split(QLatin1Char('\n'));
    lines.reserve(static_cast<std::size_t>(memoLines.size()));
    for (const QString& line : memoLines) lines.push_back(line.toStdString());
  }
  shownLines_ = lines.size();
  log_.replaceLines(std::move(lines));
}

void TLogForm::FormClose() {
  if (OnClose) OnClose();
  emit closed();
}

void TLogForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) FormClose();
}

void TLogForm::StayOnTopCheckBoxClick() {
  const bool wasVisible = isVisible();
  // Changing the flags hides a shown window; show it again where it was.
  setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTopCheckBox->isChecked());
  if (wasVisible) show();
}

}  // namespace zorvex
