#include "model/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorvex {
namespace {

bool readToEnd(int fd, std::string& out) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    out.append(buffer, static_cast<size_t>(n));
  }
}

// What the name holds instead of a regular file.
const char* notRegular(mode_t mode) {
  if (S_ISDIR(mode)) return std::strerror(EISDIR);
  if (S_ISFIFO(mode)) return "it is a FIFO, not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  return "it is not a file";
}

std::nullopt_t failed(std::string* whyNot, const char* reason) {
  if (whyNot) *whyNot = reason;
  return std::nullopt;
}

int refused(std::string* whyNot, const char* reason) {
  failed(whyNot, reason);
  return -1;
}

}  // namespace

// The name is checked before it is opened (opening some devices has effects
// of its own), and the descriptor again after, since the name may have
// changed in between; O_NONBLOCK keeps that open from waiting for a FIFO's writer.
int openRegularFile(const std::string& path, std::string* whyNot) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return refused(whyNot, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) return refused(whyNot, notRegular(st.st_mode));
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return refused(whyNot, std::strerror(errno));
  const bool statted = fstat(fd, &st) == 0;
  const int statError = errno;
  if (!statted || !S_ISREG(st.st_mode)) {
    close(fd);
    return refused(whyNot, statted ? notRegular(st.st_mode) : std::strerror(statError));
  }
  return fd;
}

std::optional<std::string> readRegularFile(const std::string& path, std::string* whyNot) {
  const int fd = openRegularFile(path, whyNot);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  struct stat st {};
  if (fstat(fd, &st) == 0) bytes.reserve(static_cast<size_t>(st.st_size));
  const bool ok = readToEnd(fd, bytes);
  const int readError = errno;
  close(fd);
  if (!ok) return failed(whyNot, std::strerror(readError));
  return bytes;
}

}  // namespace zorvex
