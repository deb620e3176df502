#include "store/FilePieces.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/RegularFile.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

// Large enough that a read costs nothing beside parsing it, small enough to stay in the caches.
constexpr size_t PieceSize = 1 << 20;

// Fills `into` with up to `size` bytes at `at`, or to the end of the file;
// -1 on failure.
ssize_t readAt(int fd, char* into, size_t size, off_t at) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = pread(fd, into + done, size - done, at + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

FilePieces::FilePieces(std::string path) : path_(std::move(path)) {
  std::string whyNot;
  fd_ = openRegularFile(path_, &whyNot);
  if (fd_ < 0) throw ZorvexError("Cannot open file " + path_ + ": " + whyNot);
  struct stat st {};
  if (fstat(fd_, &st) == 0 && st.st_size > 0) sizeWhenOpened_ = static_cast<size_t>(st.st_size);
  buffer_.resize(PieceSize);
}

FilePieces::~FilePieces() { close(fd_); }

void FilePieces::failed(int error) const {
  throw ZorvexError("Cannot open file " + path_ + ": " + std::strerror(error));
}

std::string_view FilePieces::next(char*& data) {
  offset_ += size_;
  const ssize_t n = readAt(fd_, buffer_.data(), buffer_.size(), static_cast<off_t>(offset_));
  if (n < 0) failed(errno);
  size_ = static_cast<size_t>(n);
  data = buffer_.data();
  return {data, size_};
}

void FilePieces::reread(size_t bytes, const std::function<void(std::string_view)>& piece) const {
  std::vector<char> buffer(PieceSize);
  for (size_t at = 0; at < bytes;) {
    const ssize_t n = readAt(fd_, buffer.data(), std::min(buffer.size(), bytes - at), static_cast<off_t>(at));
    if (n < 0) failed(errno);
    if (n == 0) return;
    piece({buffer.data(), static_cast<size_t>(n)});
    at += static_cast<size_t>(n);
  }
}

}  // namespace zorvex
