// zorvex-cli: see tools/Cli.h for the commands and exit statuses.
#include <iostream>

#include "tools/Cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return zorvex::tools::runCli(args, std::cout, std::cerr);
}
