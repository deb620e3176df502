#include "views/ui/MessageBoxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
#include <algorithm>
#include <QStyle>

namespace zorvex {

void MessageBoxes::error(const std::string& message) {
  present({BoxKind::Error, "Zorvex!", errorBoxText(message)});
}

void MessageBoxes::error(const ZorvexError& failure) { error(failure.message()); }

bool MessageBoxes::confirm(const std::string& text, DefaultAnswer enter) {
  return present({BoxKind::Confirm, "Confirm", text, enter});
}

void MessageBoxes::warning(const std::string& text) {
  present({BoxKind::Warning, "Warning", text});
}

void MessageBoxes::information(const std::string& text) {
  present({BoxKind::Information, "Information", text});
}

namespace {

QMessageBox::Icon iconFor(BoxKind kind) {
  switch (kind) {
    case BoxKind::Error: return QMessageBox::Critical;
    case BoxKind::Confirm: return QMessageBox::Question;
    case BoxKind::Warning: return QMessageBox::Warning;
    case BoxKind::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// The core ends lines with CR LF; a lone CR would show as nothing.
QString displayText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QPointer<QWidget>& owner() {
  static QPointer<QWidget> window;
  return window;
}

// Right after a file dialog closes no window may be active yet: a box
// without a parent would stand in the middle of the screen.
QWidget* boxParent() {
  if (owner() && owner()->isVisible()) return owner();
  return QApplication::activeWindow();
}

// Keys go back to the window that was active before the box, or, where a
// dialog just closed left none, to the window the box stood over.
void runBox(QMessageBox& box) {
  const QPointer<QWidget> before = QApplication::activeWindow();
  box.exec();
  QWidget* back = before && before->isVisible() ? before.data() : box.parentWidget();
  if (back && back->isVisible()) back->activateWindow();
}

// How wide the title bar needs the box to be: the caption in a bold title
// font (as window managers draw it), a character's room on either side, the
// window's icon and three buttons, each a title bar's height square, and the
// frame. A box sized for its text alone has its caption cut ("W... g").
int captionRoom(const QMessageBox& box) {
  QFont title = QApplication::font("QMdiSubWindowTitleBar");
  title.setBold(true);
  const QFontMetrics metrics(title);
  const QStyle* style = box.style();
  const int square = std::max(style->pixelMetric(QStyle::PM_TitleBarHeight), metrics.height());
  const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  return metrics.horizontalAdvance(box.windowTitle()) + 2 * metrics.averageCharWidth() + 4 * square + 2 * frame;
}

// The box sizes itself from its layout's minimum when it shows: a row of
// that width under the buttons keeps it wide enough.
void fitCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const QMargins margins = grid->contentsMargins();
  const int room = captionRoom(box) - margins.left() - margins.right();
  grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                grid->columnCount());
}

}  // namespace

void setMessageBoxOwner(QWidget* window) { owner() = window; }

bool QtMessageBoxes::present(const BoxRequest& request) {
  QMessageBox box(iconFor(request.kind), QString::fromStdString(request.caption),
                  displayText(request.text), QMessageBox::NoButton, boxParent());
  // Sentence texts may hold '<' and '&'; never read them as markup.
  box.setTextFormat(Qt::PlainText);
  fitCaption(box);
  if (request.kind != BoxKind::Confirm) {
    box.addButton(QMessageBox::Ok);
    runBox(box);
    return true;
  }
  QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  box.setDefaultButton(request.enter == DefaultAnswer::No ? no : yes);
  box.setEscapeButton(no);
  runBox(box);
  return box.clickedButton() == yes;
}

std::vector<std::string> ScriptedMessageBoxes::texts() const {
  std::vector<std::string> result;
  for (const BoxRequest& request : shown) result.push_back(request.text);
  return result;
}

std::vector<std::string> ScriptedMessageBoxes::textsOf(BoxKind kind) const {
  std::vector<std::string> result;
  for (const BoxRequest& request : shown)
    if (request.kind == kind) result.push_back(request.text);
  return result;
}

bool ScriptedMessageBoxes::present(const BoxRequest& request) {
  shown.push_back(request);
  if (request.kind != BoxKind::Confirm) return true;
  if (answers.empty()) {
    ++unanswered;
    return defaultAnswer;
  }
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

namespace {
MessageBoxes* installed = nullptr;
}

MessageBoxes& messageBoxes() {
  static QtMessageBoxes real;
  return installed ? *installed : real;
}

MessageBoxes* setMessageBoxes(MessageBoxes* boxes) {
  MessageBoxes* previous = installed;
  installed = boxes;
  return previous;
}

}  // namespace zorvex
