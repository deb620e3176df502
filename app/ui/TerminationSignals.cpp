#include "app/ui/TerminationSignals.h"

#include <QApplication>
#include <QSocketNotifier>
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
  if (receivedEarly_) QMetaObject::invokeMethod(&window, &QWidget::close, Qt::QueuedConnection);
}

void TerminationSignals::readSignals() {
  unsigned char bytes[16];
  ssize_t got;
  while ((got = ::read(sockets_[1], bytes, sizeof bytes)) > 0)
    for (ssize_t n = 0; n < got; ++n) {
      if (window_) {
        window_->close();
      } else {
        // Start-up waits in a box: let it go on to the window.
        receivedEarly_ = true;
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
      }
    }
}

}  // namespace zorvex
