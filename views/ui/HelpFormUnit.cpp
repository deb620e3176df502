#include "views/ui/HelpFormUnit.h"

#include <QDir>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/ui/HelpText.h"
#include "views/ui/InterfaceFont.h"
#include "views/ui/WindowHelpers.h"

namespace zorvex {

namespace {
const QString HelpFileName = QStringLiteral("help.txt");
}

THelpForm::THelpForm(MessageBoxes& boxes, const QString& directory, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpForm"));
  setWindowTitle(QStringLiteral("Help"));
  move(228, 123);
  resize(435, 413);
  setFont(interfaceFont());

  HelpMemo = new QPlainTextEdit(this);
  HelpMemo->setObjectName(QStringLiteral("HelpMemo"));
  HelpMemo->setReadOnly(true);
  HelpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  HelpMemo->setFont(fixedMemoFont());
  QPalette palette = HelpMemo->palette();
  palette.setColor(QPalette::Text, Qt::black);
  HelpMemo->setPalette(palette);

  ButtonPanel = new QFrame(this);
  ButtonPanel->setObjectName(QStringLiteral("ButtonPanel"));
  ButtonPanel->setFixedHeight(41);
  Button1 = new QPushButton(QStringLiteral("&OK"), ButtonPanel);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(8, 8, 75, 25);
  connect(Button1, &QPushButton::clicked, this, &THelpForm::Button1Click);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(HelpMemo, 1);
  layout->addWidget(ButtonPanel);

  FormCreate(boxes, directory);
}

void THelpForm::FormCreate(MessageBoxes& boxes, const QString& directory) {
  HelpMemo->clear();
  const QDir dir(directory.isEmpty() ? QDir::currentPath() : directory);
  const std::optional<QStringList> lines = readTextLines(dir.filePath(HelpFileName));
  if (!lines) {
    boxes.error("Cannot open file " + HelpFileName.toStdString());
    return;
  }
  HelpMemo->setPlainText(lines->join(QLatin1Char('\n')));
}

void THelpForm::Button1Click() { hide(); }

void THelpForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Button1->setFocus();
}

}  // namespace zorvex
