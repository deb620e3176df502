#pragma once
// The program's command line: nothing, or one folder or diagram file to open
// instead of the working directory's tables.
#include <optional>
#include <ostream>
#include <vector>
#include <string>

#include "store/DiagramFiles.h"

namespace zorvex {

struct ProgramStart {
  // Set when the program should end at once with this status (--help: 0, a
  // usage error or a path that does not exist: 2).
  std::optional<int> exitCode;
  std::optional<DiagramLocation> diagram;
};

// args without the program name. Qt's own options (-platform ...) are passed over.
ProgramStart readProgramArguments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zorvex
