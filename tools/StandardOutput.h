#pragma once
// The companion's standard output, written through a buffer that keeps the
// first failure's reason: a full disk, /dev/full or a closed descriptor is
// reported and ends the command with status 1, never taken for success.
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace zorvex::tools {

class DescriptorOutput : public std::streambuf {
 public:
  explicit DescriptorOutput(int fd);
  // Writes what is buffered and closes the descriptor: "" when every byte
  // arrived, otherwise the system's reason ("No space left on device").
  std::string finish();

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool drain();

  int fd_;
  std::vector<char> buffer_;
  int error_ = 0;  // the first failure's errno; later output is dropped
};

// The exit status once everything went out: `status`, or 1 (with a message
// on `err`) when the output could not be written.
int finishOutput(int status, DescriptorOutput& output, std::ostream& err);

}  // namespace zorvex::tools
