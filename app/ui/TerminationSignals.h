#pragma once
// SIGTERM, SIGINT and SIGHUP close the main window as "E&xit" does, so the
// log is saved and unsaved work kept in a recovery copy. The handler only
// writes a byte to a socket; the event loop reads it and does the closing.
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
  // start-up showed a box, closed the box and closes the window as soon as
  // the event loop runs.
  void closeOnSignal(QWidget& window);

 private:
  void readSignals();

  int sockets_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
  QPointer<QWidget> window_;
  bool receivedEarly_ = false;
};

}  // namespace zorvex
