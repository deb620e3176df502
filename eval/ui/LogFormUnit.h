#pragma once
// The log window: shows the evaluation log and lets the user type into it;
// what the window holds is what the next save writes to "log.txt".
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>

#include "eval/EvaluationLog.h"

class QCheckBox;
class QFrame;
class QPlainTextEdit;

namespace zorvex {

class TLogForm : public QWidget {
  Q_OBJECT

 public:
  // Builds the window hidden and stay-on-top, showing log's current lines.
  // The log must outlive the window.
  explicit TLogForm(EvaluationLog& log, QWidget* parent = nullptr);

  // The creation step of a run: starts the log in directory (the working
  // directory when empty) and shows the header. Throws ZorvexError when
  // "log.txt" cannot be written; the header lines are shown all the same.
  void FormCreate(const QString& directory = QString());

  // Shows the lines appended to the log since the window last looked; if the
  // log was replaced by a shorter one, shows it whole.
  void appendLines();
  // Shows the log whole, dropping what the window showed.
  void reloadFromLog();

  void FormClose();
  void StayOnTopCheckBoxClick();

  // Called when the user closes the window, so the main window can uncheck
  // "&View Logs".
  std::function<void()> OnClose;

  QPlainTextEdit* LogMemo;
  QFrame* BottomPanel;
  QCheckBox* StayOnTopCheckBox;

 signals:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LogMemoChange();
  void appendToMemo(std::size_t from);

  EvaluationLog& log_;
  std::size_t shownLines_ = 0;  // how many log lines the memo holds
  bool updatingMemo_ = false;   // the memo changes because the log did
  bool linesWaiting_ = false;   // lines came while hidden, for showing
  static constexpr std::size_t LinesKeptForShowing = 10000;
};

}  // namespace zorvex
