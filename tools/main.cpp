// zorvex-cli: see tools/Cli.h for the commands and exit statuses.
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "tools/Cli.h"
#include "tools/StandardOutput.h"

namespace {

// A long run keeps millions of elements, log lines and record steps, and
// the first touch of every 4 KB page costs dearly, on virtual machines most
// of all: more than the run's own work. The C library takes its memory in
// huge pages when its tunables say so, which they can only say from the
// start, so the program starts itself once more with them set. A user who
// sets tunables of their own keeps them as they are.
void startWithHugePages(char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
  if (std::getenv("GLIBC_TUNABLES")) return;
  if (setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1) != 0) return;
  execv("/proc/self/exe", argv);
  unsetenv("GLIBC_TUNABLES");  // not started again: go on as we are
#else
  (void)argv;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  startWithHugePages(argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  zorvex::tools::DescriptorOutput output(STDOUT_FILENO);
  std::ostream out(&output);
  const int status = zorvex::tools::runCli(args, out, std::cerr);
  return zorvex::tools::finishOutput(status, output, std::cerr);
}
