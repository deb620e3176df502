#pragma once
// Table files on disk: read whole under an exclusive advisory lock, and
// replaced atomically (temporary file in the same folder, fsync, rename).
#include <cstdint>
#include <string>
#include <vector>

namespace zorvex::paradox {

// An open file descriptor holding flock(LOCK_EX) for as long as it lives.
class FileLock {
 public:
  FileLock() = default;
  explicit FileLock(int fd) : fd_(fd) {}
  ~FileLock() { release(); }
  FileLock(FileLock&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
  FileLock& operator=(FileLock&& o) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  int fd() const { return fd_; }
  bool held() const { return fd_ >= 0; }
  void release();

 private:
  int fd_ = -1;
};

std::string busyMessage(const std::string& path);

// Opens `path` read-only, takes the lock and reads the whole file.
// Throws "Cannot open file <path>" or "Table <path> is busy: another program has it open".
FileLock openLocked(const std::string& path, std::vector<uint8_t>& contents);

// Takes the lock on an existing file without reading it; an empty lock when
// the file does not exist. Throws the busy message when another holder has it.
FileLock lockIfExists(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, locked, fsyncs it and
// renames it over `path`; returns the lock on the new file. On failure the
// original stays as it was and ZorvexError "Cannot write table <path>: <reason>".
FileLock replaceFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace zorvex::paradox
