#pragma once
// The immutable attribute (chattr +i) on a file for as long as this lives:
// not even root may then rename over, remove or change the file.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace zorvex::testing {

class ImmutableFile {
 public:
  explicit ImmutableFile(std::string path) : path_(std::move(path)) { set = change(true); }
  ~ImmutableFile() {
    if (set) change(false);
  }
  ImmutableFile(const ImmutableFile&) = delete;
  ImmutableFile& operator=(const ImmutableFile&) = delete;

  bool set = false;
  std::string refused;  // why the kernel would not set it

 private:
  bool change(bool on) {
    const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail();
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
      flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
      ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (!ok) fail();
    close(fd);
    return ok;
  }
  bool fail() {
    refused = std::strerror(errno);
    return false;
  }
  std::string path_;
};

}  // namespace zorvex::testing
