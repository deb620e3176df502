#pragma once
// SIGTERM, SIGINT and SIGHUP close the main window as "E&xit" does, so the
// log is saved and unsaved work kept in a recovery copy. The handler only
// writes a byte to a socket; the event loop reads it and does the closing.
//
// Exit is only chosen with no box open, so a signal first dismisses whatever
// box, dialog, progress box or pop-up menu is open (as Escape or Cancel
// would), and any that opens later, during start-up or while the command
// that opened the box ends; the window closes once none is left.
#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

namespace zorvex {

class TerminationSignals : public QObject {
 public:
  // Catches the three signals from now on, except those the program was
  // started with ignored (nohup): they stay ignored. One at a time.
  explicit TerminationSignals(QObject* parent = nullptr);
  // Puts the previous handlers back.
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // From now on a signal closes `window`. One that came before, while
  // start-up showed its boxes, closes the window as soon as the event loop
  // runs.
  void closeOnSignal(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void readSignals();
  // Closes the window once no box is left open; until then dismisses them.
  void closeWhenNoBoxIsOpen();

  int sockets_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
  QPointer<QWidget> window_;
  bool received_ = false;
  bool closeQueued_ = false;
};

}  // namespace zorvex
