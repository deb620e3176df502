#pragma once
// Answers the real modal pop-up menus and message boxes while they are open,
// from a timer in their own event loop, the way a person would: keys to the
// menu, a click on a box's button.
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "views/ui/MessageBoxes.h"

namespace zorvex::testing {

// Puts the real QMessageBox boxes back for as long as it lives.
class RealMessageBoxes {
 public:
  RealMessageBoxes() : previous_(setMessageBoxes(nullptr)) {}
  ~RealMessageBoxes() { setMessageBoxes(previous_); }
  RealMessageBoxes(const RealMessageBoxes&) = delete;
  RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

 private:
  MessageBoxes* previous_;
};

class ModalAnswers : public QObject {
 public:
  // What to do with a menu that has opened: send it keys.
  using MenuAnswer = std::function<void(QMenu&)>;

  ModalAnswers() {
    qApp->installEventFilter(this);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  ~ModalAnswers() override { qApp->removeEventFilter(this); }

  // Each opened menu takes the next answer; with none left it is dismissed.
  std::deque<MenuAnswer> menuAnswers;
  // Each box takes the next button text ("&Yes", "&No", "OK"), or Enter,
  // pressed where the box has the focus; with none left the box is closed by
  // its escape button and counted in unanswered.
  std::deque<QString> boxAnswers;
  static inline const QString Enter = QStringLiteral("<Enter>");
  // Each box's default button, as it showed ("" for none).
  std::vector<QString> boxDefaults;

  // Each file dialog gets the next path typed into its name box and Enter;
  // with none left it is cancelled.
  std::deque<QString> filePaths;
  // ... and, while there are any, the next file type chosen from its list first.
  std::deque<QString> fileTypes;
  int fileDialogs = 0;
  // Each file dialog's file types, and the one it offered chosen, as it showed.
  std::vector<QStringList> fileDialogTypes;
  std::vector<QString> fileDialogChosenTypes;
  // Each input dialog gets the next text and Enter; with none left it is cancelled.
  std::deque<QString> inputTexts;
  int inputDialogs = 0;

  // Each progress box that shows is counted and `onProgress` told; with
  // cancelProgress its Cancel button is clicked.
  int progressDialogs = 0;
  bool cancelProgress = false;
  std::function<void(QProgressDialog&)> onProgress;
  // Where each message box stood when it showed, in global coordinates.
  std::vector<QRect> boxGeometries;

  std::vector<QMenu*> menus;      // every menu that opened, in order
  std::vector<QString> boxTexts;  // every box's text, in order
  int unanswered = 0;

  static MenuAnswer dismiss() {
    return [](QMenu& m) { QTest::keyClick(&m, Qt::Key_Escape); };
  }
  // Chooses an item by its mnemonic letter, as typed on the keyboard.
  static MenuAnswer choose(char letter) {
    return [letter](QMenu& m) { QTest::keyClick(&m, letter); };
  }

 protected:
  // Every showing is one opening, even of a menu object shown before.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* menu = qobject_cast<QMenu*>(watched)) shownMenu_ = menu;
      if (auto* box = qobject_cast<QMessageBox*>(watched)) shownBox_ = box;
      if (auto* dialog = qobject_cast<QFileDialog*>(watched)) shownFileDialog_ = dialog;
      if (auto* dialog = qobject_cast<QInputDialog*>(watched)) shownInputDialog_ = dialog;
      if (auto* dialog = qobject_cast<QProgressDialog*>(watched)) shownProgress_ = dialog;
    }
    return false;
  }

 private:
  void poll() {
    if (shownMenu_ && QApplication::activePopupWidget() == shownMenu_) {
      QMenu* menu = shownMenu_;
      shownMenu_ = nullptr;
      menus.push_back(menu);
      MenuAnswer answer = menuAnswers.empty() ? dismiss() : menuAnswers.front();
      if (!menuAnswers.empty()) menuAnswers.pop_front();
      answer(*menu);
      return;
    }
    if (shownFileDialog_ && QApplication::activeModalWidget() == shownFileDialog_ && takesKeys(*shownFileDialog_))
      return answerFileDialog();
    if (shownInputDialog_ && QApplication::activeModalWidget() == shownInputDialog_) return answerInputDialog();
    if (shownProgress_ && QApplication::activeModalWidget() == shownProgress_) return answerProgress();
    if (!shownBox_ || QApplication::activeModalWidget() != shownBox_) return;
    QMessageBox* box = shownBox_;
    shownBox_ = nullptr;
    boxTexts.push_back(box->text());
    boxGeometries.push_back(box->frameGeometry());
    boxDefaults.push_back(box->defaultButton() ? box->defaultButton()->text() : QString());
    if (!boxAnswers.empty() && boxAnswers.front() == Enter) {
      boxAnswers.pop_front();
      QWidget* focus = QApplication::focusWidget();
      return QTest::keyClick(focus && focus->window() == box ? focus : box, Qt::Key_Return);
    }
    QAbstractButton* button = nullptr;
    if (!boxAnswers.empty()) {
      for (QAbstractButton* b : box->buttons())
        if (b->text() == boxAnswers.front()) button = b;
      boxAnswers.pop_front();
    }
    if (!button) {
      ++unanswered;
      button = box->escapeButton() ? box->escapeButton() : box->buttons().value(0);
    }
    QTest::mouseClick(button, Qt::LeftButton);
  }

  // A person types the name only once the name box has the keyboard focus.
  // Before that, the dialog shows what it selects for a typed name in the
  // name box, and so writes over the path with bare file names, which may
  // then stand for files of its current folder.
  static bool takesKeys(QFileDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return !name || name->hasFocus();
  }

  void answerFileDialog() {
    QFileDialog* dialog = shownFileDialog_;
    shownFileDialog_ = nullptr;
    ++fileDialogs;
    fileDialogTypes.push_back(dialog->nameFilters());
    fileDialogChosenTypes.push_back(dialog->selectedNameFilter());
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (filePaths.empty() || !name) return dialog->reject();
    if (!fileTypes.empty()) {
      dialog->selectNameFilter(fileTypes.front());
      fileTypes.pop_front();
    }
    // Set whole, as a paste would: typed letter by letter, the name box's
    // completer may open its list and take the Enter.
    const QString path = filePaths.front();
    name->setText(path);
    filePaths.pop_front();
    // Enter from a timer of its own: a box the dialog opens then ("...
    // already exists. Do you want to replace it?") is answered by poll(),
    // which a timer cannot run again while it is still running.
    QTimer::singleShot(0, name, [name, path] {
      if (name->text() != path)
        ADD_FAILURE() << "The file dialog's name box holds " << name->text().toStdString() << " instead of "
                      << path.toStdString();
      QTest::keyClick(name, Qt::Key_Return);
    });
  }

  void answerInputDialog() {
    QInputDialog* dialog = shownInputDialog_;
    shownInputDialog_ = nullptr;
    ++inputDialogs;
    auto* edit = dialog->findChild<QLineEdit*>();
    if (inputTexts.empty() || !edit) return dialog->reject();
    edit->selectAll();
    QTest::keyClicks(edit, inputTexts.front());
    inputTexts.pop_front();
    QTest::keyClick(edit, Qt::Key_Return);
  }

  void answerProgress() {
    QProgressDialog* dialog = shownProgress_;
    shownProgress_ = nullptr;
    ++progressDialogs;
    if (onProgress) onProgress(*dialog);
    if (!cancelProgress) return;
    for (auto* button : dialog->findChildren<QPushButton*>())
      if (button->text() == QStringLiteral("Cancel")) return QTest::mouseClick(button, Qt::LeftButton);
  }

  QTimer timer_;
  QPointer<QProgressDialog> shownProgress_;
  QPointer<QInputDialog> shownInputDialog_;
  QPointer<QFileDialog> shownFileDialog_;
  QPointer<QMenu> shownMenu_;
  QPointer<QMessageBox> shownBox_;
};

}  // namespace zorvex::testing
