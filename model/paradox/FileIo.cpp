#include "model/paradox/FileIo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

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

// Takes the lock on `fd`; false when someone else holds it.
bool tryLock(int fd, const std::string& path) {
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return false;
    cannotOpen(path);
  }
  return true;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void writeAll(int fd, const std::vector<uint8_t>& bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) cannotWrite(path, n < 0 ? std::strerror(errno) : "nothing was written");
    done += static_cast<size_t>(n);
  }
}

// A new, exclusively created file beside the table, which is renamed over it.
int createTemporary(const std::string& path, const std::string& shown, std::string& tmpPath) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = folderOf(path);
  const std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmpPath = folder + "/." + base + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
    const int fd = open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) cannotWrite(shown, std::strerror(errno));
  }
  cannotWrite(shown, "no temporary file could be created");
}

// Refuses read-only files and folders by their permission bits as well, so a
// read-only table stays untouched even for a user the system lets write.
mode_t checkWritable(const std::string& path, const std::string& shown, bool& exists) {
  struct stat st {};
  exists = stat(path.c_str(), &st) == 0;
  if (exists && (st.st_mode & 0222) == 0) cannotWrite(shown, "the file is read-only");
  if (exists && !S_ISREG(st.st_mode)) cannotWrite(shown, "it is not a file");
  struct stat dir {};
  if (stat(folderOf(path).c_str(), &dir) != 0) cannotWrite(shown, std::strerror(errno));
  if ((dir.st_mode & 0222) == 0) cannotWrite(shown, "the folder is read-only");
  return st.st_mode & 07777;
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

FileLock replaceFile(const std::string& given, const std::vector<uint8_t>& bytes) {
  // Through a symbolic link the file it names is replaced, not the link.
  std::string path = given;
  if (char* real = realpath(given.c_str(), nullptr)) {
    path = real;
    free(real);
  }
  bool exists = false;
  const mode_t mode = checkWritable(path, given, exists);
  std::string tmpPath;
  const int fd = createTemporary(path, given, tmpPath);
  FileLock lock(fd);
  try {
    flock(fd, LOCK_EX | LOCK_NB);  // nobody else knows the file yet
    if (exists && fchmod(fd, mode) != 0) cannotWrite(given, std::strerror(errno));
    writeAll(fd, bytes, given);
    if (fsync(fd) != 0) cannotWrite(given, std::strerror(errno));
    if (rename(tmpPath.c_str(), path.c_str()) != 0) cannotWrite(given, std::strerror(errno));
  } catch (...) {
    unlink(tmpPath.c_str());
    throw;
  }
  const int dirFd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);  // makes the rename itself durable; best effort
    close(dirFd);
  }
  return lock;
}

}  // namespace zorvex::paradox
