#pragma once
// The About window: name, purpose, version and credits of the program.
#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace zorvex {

// The fifteen lines of the About text.
QStringList aboutTextLines();

class TAboutForm : public QWidget {
  Q_OBJECT

 public:
  // Builds the window hidden; the start-up shows it with showAtStartup().
  explicit TAboutForm(QWidget* parent = nullptr);

  // Centres the window and shows it in front, as at program start.
  void showAtStartup();
  void Button1Click();

  QPlainTextEdit* Memo1;
  QFrame* ButtonPanel;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
  // Enter presses the focused button, as on every desktop; Escape closes.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zorvex
