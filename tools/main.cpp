// zorvex-cli: see tools/Cli.h for the commands and exit statuses.
#include <unistd.h>

#include <iostream>

#include "tools/Cli.h"
#include "tools/StandardOutput.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  zorvex::tools::DescriptorOutput output(STDOUT_FILENO);
  std::ostream out(&output);
  const int status = zorvex::tools::runCli(args, out, std::cerr);
  return zorvex::tools::finishOutput(status, output, std::cerr);
}
