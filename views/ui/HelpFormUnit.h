#pragma once
// The help window: shows "help.txt", read once when the window is created.
#include <QString>
#include <QWidget>

#include "views/ui/MessageBoxes.h"

class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace zorvex {

class THelpForm : public QWidget {
  Q_OBJECT

 public:
  // Builds the window hidden and runs FormCreate on directory (the working
  // directory when empty), reporting a missing file through boxes.
  explicit THelpForm(MessageBoxes& boxes = messageBoxes(), const QString& directory = QString(),
                     QWidget* parent = nullptr);

  // Loads "help.txt" from directory into HelpMemo, replacing its contents.
  void FormCreate(MessageBoxes& boxes, const QString& directory = QString());
  void Button1Click();

  QPlainTextEdit* HelpMemo;
  QFrame* ButtonPanel;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace zorvex
