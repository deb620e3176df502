#include "views/ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace zorvex {

void MessageBoxes::error(const std::string& message) {
  present({BoxKind::Error, "Zorvex!", errorBoxText(message)});
}

void MessageBoxes::error(const ZorvexError& failure) { error(failure.message()); }

bool MessageBoxes::confirm(const std::string& text) {
  return present({BoxKind::Confirm, "Confirm", text});
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

}  // namespace

void setMessageBoxOwner(QWidget* window) { owner() = window; }

bool QtMessageBoxes::present(const BoxRequest& request) {
  QMessageBox box(iconFor(request.kind), QString::fromStdString(request.caption),
                  displayText(request.text), QMessageBox::NoButton, boxParent());
  // Sentence texts may hold '<' and '&'; never read them as markup.
  box.setTextFormat(Qt::PlainText);
  if (request.kind != BoxKind::Confirm) {
    box.addButton(QMessageBox::Ok);
    runBox(box);
    return true;
  }
  QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
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
