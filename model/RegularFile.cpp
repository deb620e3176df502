#include "model/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

}  // namespace

// The name is checked before it is opened (opening some devices has effects
// of its own), and the descriptor again after, since the name may have
// changed in between; O_NONBLOCK keeps that open from waiting for a FIFO's writer.
std::optional<std::string> readRegularFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (regular) bytes.reserve(static_cast<size_t>(st.st_size));
  const bool ok = regular && readToEnd(fd, bytes);
  close(fd);
  if (!ok) return std::nullopt;
  return bytes;
}

}  // namespace zorvex
