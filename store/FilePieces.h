#pragma once
// A plain file read a piece at a time, so that a diagram file of hundreds of
// megabytes is never held whole while its rows are made.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex {

class FilePieces {
 public:
  // Opens as readTextFile does, with its messages: throws
  // ZorvexError("Cannot open file <path>: <reason>").
  explicit FilePieces(std::string path);
  ~FilePieces();
  FilePieces(const FilePieces&) = delete;
  FilePieces& operator=(const FilePieces&) = delete;

  // Reads the next piece into the buffer and gives it, writable; an empty
  // piece at the end of the file. A failing read throws as opening does.
  std::string_view next(char*& data);
  // The file's size when it was opened (0 if it cannot be told).
  size_t sizeWhenOpened() const { return sizeWhenOpened_; }
  // Where the piece last given starts in the file.
  size_t offset() const { return offset_; }
  // Hands the first `bytes` bytes of the file to `piece` again, in pieces,
  // as they are on the disk now.
  void reread(size_t bytes, const std::function<void(std::string_view)>& piece) const;

 private:
  [[noreturn]] void failed(int error) const;

  std::string path_;
  int fd_ = -1;
  std::vector<char> buffer_;
  size_t offset_ = 0, size_ = 0, sizeWhenOpened_ = 0;
};

}  // namespace zorvex
