#include "model/paradox/FileIo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/AtomicFiles.h"
#include "model/ZorvexError.h"

namespace zorvex::paradox {
namespace {

// The largest file a table can need: a 64 KiB header and 65535 blocks of 32 KiB.
constexpr uint64_t MaxTableFileSize = 65535ull + 65535ull * 32768ull;

[[noreturn]] void cannotOpen(const std::string& path) { throw ZorvexError("Cannot open file " + path); }

[[noreturn]] void cannotWrite(const std::string& path, const std::string& reason) {
  throw ZorvexError("Cannot write table " + path + ": " + reason);
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

void readAll(int fd, size_t size, std::vector<uint8_t>& out, const std::string& path) {
  out.resize(size);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = pread(fd, out.data() + done, size - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) cannotOpen(path);
    if (n == 0) break;  // the file shrank under us: read what is there
    done += static_cast<size_t>(n);
  }
  out.resize(done);
}

// True when another process holds a POSIX record lock (fcntl or lockf) on
// any part of the file. Those locks and flock do not see each other, so both
// are asked about; only asked, as a descriptor opened for reading cannot
// take a write lock.
bool recordLockedElsewhere(int fd) {
  struct flock probe {};
  probe.l_type = F_WRLCK;  // conflicts with every read or write lock
  probe.l_whence = SEEK_SET;
  probe.l_start = 0;
  probe.l_len = 0;  // the whole file
  while (fcntl(fd, F_GETLK, &probe) != 0) {
    if (errno != EINTR) return false;  // a filesystem without record locks holds none
  }
  return probe.l_type != F_UNLCK;
}

// Takes the lock on `fd`; false when someone else holds it.
bool tryLock(int fd, const std::string& path) {
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return false;
    cannotOpen(path);
  }
  return !recordLockedElsewhere(fd);
}

}  // namespace

FileLock& FileLock::operator=(FileLock&& o) noexcept {
  if (this != &o) {
    release();
    fd_ = o.fd_;
    o.fd_ = -1;
  }
  return *this;
}

void FileLock::release() {
  if (fd_ >= 0) close(fd_);  // closing the descriptor drops the flock
  fd_ = -1;
}

std::string busyMessage(const std::string& path) { return "Table " + path + " is busy: another program has it open"; }

FileLock openLocked(const std::string& path, std::vector<uint8_t>& contents) {
  // The file may be replaced between open and lock; retry on the new one.
  for (int attempt = 0; attempt < 5; ++attempt) {
    // O_NONBLOCK: a FIFO or device under the table's name must not hang the open.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) cannotOpen(path);
    FileLock lock(fd);
    struct stat st {}, now {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) cannotOpen(path);
    if (!tryLock(fd, path)) throw ZorvexError(busyMessage(path));
    if (stat(path.c_str(), &now) != 0 || !sameFile(st, now)) continue;
    if (static_cast<uint64_t>(st.st_size) > MaxTableFileSize)
      throw ZorvexError(path + " is not a valid Paradox table: the file is too large");
    readAll(fd, static_cast<size_t>(st.st_size), contents, path);
    return lock;
  }
  throw ZorvexError(busyMessage(path));
}

FileLock lockIfExists(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return FileLock();
  FileLock lock(fd);
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) cannotWrite(path, "it is not a file");
  if (!tryLock(fd, path)) throw ZorvexError(busyMessage(path));
  return lock;
}

FileLock replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return FileLock(replaceFiles({{path, contents}}, "Cannot write table", true).front());
}

}  // namespace zorvex::paradox
