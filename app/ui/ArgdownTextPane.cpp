#include "app/ui/ArgdownTextPane.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>

#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "argdown/ArgdownText.h"
#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"
#include "elements/ui/ShortFormGeometry.h"
#include "history/UndoHistory.h"

namespace zorvex {

TArgdownTextPane::TArgdownTextPane(QWidget& window, QAction& item, TextPaneLinks links)
    : QDockWidget(QStringLiteral("Argdown Text"), &window), item_(item), links_(std::move(links)),
      text_(new QPlainTextEdit(this)) {
  setObjectName("ArgdownTextPane");
  text_->setObjectName("ArgdownTextEdit");
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  text_->setFont(mono);
  text_->installEventFilter(this);
  // A press elsewhere in the window hands the keyboard back to it.
  qApp->installEventFilter(this);
  setWidget(text_);
  pause_.setParent(this);
  pause_.setObjectName("TypingPause");
  pause_.setSingleShot(true);
  pause_.setInterval(PauseMs);
  connect(&pause_, &QTimer::timeout, this, [this] { takeTextNow(); });
  connect(text_, &QPlainTextEdit::textChanged, this, [this] { typed(); });
}

void TArgdownTextPane::diagramChanged() {
  if (taking_ || untaken_ || !isVisible()) return;
  writeAnew();
}

bool TArgdownTextPane::holdsFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == text_ || text_->isAncestorOf(focus));
}

void TArgdownTextPane::typed() {
  untaken_ = true;
  pause_.start();
}

void TArgdownTextPane::takeTextNow() {
  pause_.stop();
  // Not under a drag on the surface: the text waits for it.
  if (QApplication::mouseButtons() != Qt::NoButton) return pause_.start();
  taking_ = true;
  const TextMeaningChange change = links_.take(text_->toPlainText().toStdString());
  taking_ = false;
  untaken_ = false;
  // What was typed stays as typed: it means the diagram now.
  markUnreadable(change.unreadableLines);
}

void TArgdownTextPane::writeAnew() {
  const QSignalBlocker quiet(text_);
  const int scroll = text_->verticalScrollBar()->value();
  text_->setPlainText(QString::fromStdString(links_.written()));
  text_->verticalScrollBar()->setValue(scroll);
  markUnreadable({});
}

void TArgdownTextPane::markUnreadable(const std::vector<int>& lines) {
  QList<QTextEdit::ExtraSelection> marks;
  for (int line : lines) {
    const QTextBlock block = text_->document()->findBlockByNumber(line - 1);
    if (!block.isValid()) continue;
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(block);
    mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.format.setUnderlineColor(Qt::red);
    mark.format.setToolTip(QStringLiteral("This line cannot be read: it changes nothing."));
    marks.append(mark);
  }
  text_->setExtraSelections(marks);
}

void TArgdownTextPane::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (!untaken_) writeAnew();
}

void TArgdownTextPane::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  item_.setChecked(false);
}

bool TArgdownTextPane::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && holdsFocus()) {
    auto* pressed = qobject_cast<QWidget*>(watched);
    if (pressed && pressed->window() == window() && pressed != this && !isAncestorOf(pressed)) text_->clearFocus();
  }
  if (watched == text_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        key->modifiers().testFlag(Qt::ControlModifier)) {
      takeTextNow();
      return true;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

// The pane is made when first shown: with it hidden the window is as it was.
void TArgumentForm::showTextPane(QAction& item, bool on) {
  if (!textPane_ && !on) return;
  if (!textPane_) {
    TextPaneLinks links;
    links.written = [this] { return writeArgdown(diagram_).text; };
    links.take = [this](const std::string& text) {
      TextMeaningChange change;
      try {
        change = takeTextMeaning(editor_->edit(), text, sentenceFontGeometry().textSize);
      } catch (const ZorvexError& e) {
        change.summary = e.what();
      }
      std::string said = change.summary;
      if (change.step) {
        const std::vector<int32_t> moved = defeatersGivenNewMeaning(diagram_, *change.step);
        if (!moved.empty()) said += " " + DefeaterMeaningChangedText(moved);
        undoHistory().record(std::move(*change.step));
        repaintSurface();
      }
      controls_->ArgumentFormStatusBar->setPanelText(1, QString::fromStdString(said));
      return change;
    };
    textPane_ = new TArgdownTextPane(*this, item, std::move(links));
    addDockWidget(Qt::RightDockWidgetArea, textPane_);
  }
  textPane_->setVisible(on);
}

}  // namespace zorvex
