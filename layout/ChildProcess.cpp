#include "layout/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "layout/LayoutCancel.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORVEX_CHILD_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZORVEX_CHILD_SANITIZED 1
#endif
#ifdef ZORVEX_CHILD_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace zorvex {
namespace {

using Clock = std::chrono::steady_clock;

// Whatever handlers the program (or a test harness, or the fuzzer) set up:
// the child dies of such a signal, nothing of the parent's runs, and it
// leaves no core file behind. What a failing library prints on its way out
// (an assertion's text) is not the user's business: the parent says what
// happened.
void quietChild() {
  if (const int none = open("/dev/null", O_WRONLY | O_CLOEXEC); none >= 0) dup2(none, STDERR_FILENO);
  for (int s : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGTERM, SIGINT, SIGHUP, SIGPIPE})
    signal(s, SIG_DFL);
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
#ifdef ZORVEX_CHILD_SANITIZED
  __sanitizer_set_death_callback(nullptr);
#endif
}

bool writeAll(int fd, const char* p, size_t n) {
  while (n > 0) {
    const ssize_t done = write(fd, p, n);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    p += done;
    n -= static_cast<size_t>(done);
  }
  return true;
}

// The result's length first, so that a child that dies half-way is told
// from one that finished.
[[noreturn]] void childMain(int fd, const std::function<std::string()>& work) {
  quietChild();
  std::string bytes;
  try {
    bytes = work();
  } catch (...) {
    _exit(2);
  }
  const uint64_t size = bytes.size();
  const bool sent = writeAll(fd, reinterpret_cast<const char*>(&size), sizeof size) &&
                    writeAll(fd, bytes.data(), bytes.size());
  _exit(sent ? 0 : 3);
}

// Reads to the end of the pipe; false when the deadline comes first or the
// layout is cancelled (looked at every tenth of a second).
bool readUntil(int fd, Clock::time_point deadline, std::string& out) {
  char buffer[65536];
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0 || layoutCancelled()) return false;
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(std::min<long long>(left, 100)));
    if (ready < 0 && errno != EINTR) return true;  // nothing more can be read: what came is checked
    if (ready <= 0) continue;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return true;
    out.append(buffer, static_cast<size_t>(n));
  }
}

// 0 when the child cannot be waited for (SIGCHLD ignored reaps it at once):
// its bytes alone then say whether it finished.
int waitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return 0;
  return status;
}

}  // namespace

ChildResult runInChild(const std::function<std::string()>& work, std::chrono::milliseconds limit) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return {};
  const Clock::time_point deadline = Clock::now() + limit;
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return {};
  }
  if (pid == 0) {
    close(fds[0]);
    childMain(fds[1], work);
  }
  close(fds[1]);
  std::string got;
  const bool ended = readUntil(fds[0], deadline, got);
  close(fds[0]);
  if (!ended) kill(pid, SIGKILL);
  const int status = waitFor(pid);
  throwIfLayoutCancelled();
  if (!ended) return {ChildEnd::TookTooLong, {}};
  uint64_t size = 0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || got.size() < sizeof size) return {};
  std::memcpy(&size, got.data(), sizeof size);
  if (size != got.size() - sizeof size) return {};
  return {ChildEnd::Done, got.substr(sizeof size)};
}

}  // namespace zorvex
