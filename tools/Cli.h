#pragma once
// zorvex-cli as a function: the argument words (without the program name) in,
// the exit status out, with everything printed going to the two streams.
//   0  success
//   1  a failure: its message and a full stop on `err`, as the program's error box shows it
//   2  a usage error: a short message naming the offending word on `err`
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvex::tools {

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A command-line mistake found after parsing (a bad step, a sentence number
// out of range): exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zorvex::tools
