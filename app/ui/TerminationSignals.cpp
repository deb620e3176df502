#include "app/ui/TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QProgressDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zorvex {
namespace {

constexpr int Caught[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int CaughtCount = sizeof(Caught) / sizeof(Caught[0]);

std::atomic<int> writeEnd{-1};
struct sigaction previous[CaughtCount];
bool installed[CaughtCount] = {};

// Only async-signal-safe calls: a non-blocking write of the signal number,
// errno left as the interrupted code had it.
extern "C" void onTerminationSignal(int number) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  const ssize_t written = ::write(writeEnd.load(), &byte, 1);
  (void)written;  // a full socket already holds a wake-up
  errno = savedErrno;
}

// A box waits for an answer: a modal window, or a pop-up menu.
bool isBox(const QWidget& widget) {
  return widget.isWindow() && (widget.isModal() || widget.windowType() == Qt::Popup);
}

// As Escape or Cancel would: a question is answered No, a dialog changes
// nothing, a progress box stops its work, a menu chooses nothing.
void dismiss(QWidget& box) {
  if (!box.isVisible()) return;
  if (auto* progress = qobject_cast<QProgressDialog*>(&box)) return progress->cancel();
  if (auto* dialog = qobject_cast<QDialog*>(&box)) return dialog->reject();
  box.close();
}

// Dismisses every open box, the topmost first; true when there was one.
bool dismissOpenBoxes() {
  bool any = false;
  QWidget* last = nullptr;
  for (;;) {
    QWidget* box = QApplication::activePopupWidget();
    if (!box) box = QApplication::activeModalWidget();
    // One that stays open after its dismissal is left for the next try.
    if (!box || box == last) return any;
    dismiss(*box);
    last = box;
    any = true;
  }
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, sockets_) != 0) return;
  writeEnd.store(sockets_[0]);
  notifier_ = new QSocketNotifier(sockets_[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readSignals);

  struct sigaction action = {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int n = 0; n < CaughtCount; ++n) {
    struct sigaction current = {};
    sigaction(Caught[n], nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;
    installed[n] = sigaction(Caught[n], &action, &previous[n]) == 0;
  }
}

TerminationSignals::~TerminationSignals() {
  if (qApp) qApp->removeEventFilter(this);
  for (int n = 0; n < CaughtCount; ++n)
    if (installed[n]) {
      sigaction(Caught[n], &previous[n], nullptr);
      installed[n] = false;
    }
  writeEnd.store(-1);
  for (int fd : sockets_)
    if (fd >= 0) ::close(fd);
}

void TerminationSignals::closeOnSignal(QWidget& window) {
  window_ = &window;
  if (received_) closeWhenNoBoxIsOpen();
}

void TerminationSignals::readSignals() {
  unsigned char bytes[16];
  bool got = false;
  while (::read(sockets_[1], bytes, sizeof bytes) > 0) got = true;
  if (!got) return;
  if (!received_) {
    received_ = true;
    // From now on every box that opens is dismissed too.
    qApp->installEventFilter(this);
  }
  dismissOpenBoxes();
  // Once the commands that waited in those boxes have ended.
  if (window_) closeWhenNoBoxIsOpen();
}

void TerminationSignals::closeWhenNoBoxIsOpen() {
  if (closeQueued_) return;
  closeQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    closeQueued_ = false;
    if (!window_) return;
    if (dismissOpenBoxes()) return closeWhenNoBoxIsOpen();
    window_->close();
  });
}

bool TerminationSignals::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    // From its own event loop, which is not running yet.
    if (isBox(*widget)) QTimer::singleShot(0, widget, [widget] { dismiss(*widget); });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zorvex
