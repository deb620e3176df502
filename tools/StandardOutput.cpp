#include "tools/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorvex::tools {

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd), buffer_(1 << 16) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool DescriptorOutput::drain() {
  const char* next = pbase();
  while (error_ == 0 && next < pptr()) {
    const ssize_t n = write(fd_, next, static_cast<size_t>(pptr() - next));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    if (n == 0) error_ = EIO;
    if (n > 0) next += n;
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int DescriptorOutput::sync() { return drain() ? 0 : -1; }

std::string DescriptorOutput::finish() {
  drain();
  if (close(fd_) != 0 && error_ == 0) error_ = errno;  // some file systems report a failed write only here
  return error_ == 0 ? std::string() : std::strerror(error_);
}

int finishOutput(int status, DescriptorOutput& output, std::ostream& err) {
  const std::string failure = output.finish();
  if (failure.empty()) return status;
  err << "Cannot write to the standard output: " << failure << ".\n";
  return status == 0 ? 1 : status;
}

}  // namespace zorvex::tools
