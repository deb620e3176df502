#include "views/ui/AboutUnit.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "views/ui/InterfaceFont.h"
#include "views/ui/WindowHelpers.h"

namespace zorvex {

QStringList aboutTextLines() {
  return {
      QStringLiteral("Zorvex! - a mediation system for argumentation with defeasible arguments"),
      QString(),
      QStringLiteral("Version 23-6-1998"),
      QString(),
      QStringLiteral("The Zorvex! developers"),
      QStringLiteral("Argumentation Tools Group"),
      QStringLiteral("1 Example Lane, 0000 XX Exampleton"),
      QStringLiteral("E-mail: zorvex@example.org, web: https://www.example.org/zorvex"),
      QString(),
      QStringLiteral("This work was funded by the Reasoning Support Research Programme"),
      QStringLiteral("within the project Mediated Argument Diagrams."),
      QString(),
      QStringLiteral("Zorvex! was programmed as a research tool and contains errors."),
      QStringLiteral("No liability is accepted for any damage resulting from its use."),
      QStringLiteral("It may not be passed on without the developer's permission."),
  };
}

TAboutForm::TAboutForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("About Zorvex!"));
  setFixedSize(388, 250);
  setFont(interfaceFont());

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(0, 0, 388, 209);
  Memo1->setPlainText(aboutTextLines().join(QLatin1Char('\n')));

  ButtonPanel = new QFrame(this);
  ButtonPanel->setObjectName(QStringLiteral("ButtonPanel"));
  ButtonPanel->setGeometry(0, 209, 388, 41);
  Button1 = new QPushButton(QStringLiteral("&OK"), ButtonPanel);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(8, 8, 75, 25);
  connect(Button1, &QPushButton::clicked, this, &TAboutForm::Button1Click);
}

void TAboutForm::showAtStartup() {
  centreOnScreen(*this);
  showAndBringToFront(*this);
}

void TAboutForm::Button1Click() { hide(); }

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  auto* button = qobject_cast<QPushButton*>(focusWidget());
  if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) return button->click();
  if (event->key() == Qt::Key_Escape) return Button1Click();
  QWidget::keyPressEvent(event);
}

void TAboutForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Button1->setFocus();
}

}  // namespace zorvex
