#pragma once
// Work that may crash, fail an assertion or never end, run where it cannot
// take the program down: in a forked child process that hands its result
// back through a pipe, with a time limit after which it is killed.
#include <chrono>
#include <functional>
#include <string>

namespace zorvex {

enum class ChildEnd { Done, TookTooLong, Failed };

struct ChildResult {
  ChildEnd end = ChildEnd::Failed;
  std::string bytes;  // what the work returned, when Done
};

// `work` runs only in the child, which does nothing else and ends with
// _exit. The program's other threads do not exist there: the work must not
// wait for anything they might have held when the child was made.
ChildResult runInChild(const std::function<std::string()>& work, std::chrono::milliseconds limit);

}  // namespace zorvex
