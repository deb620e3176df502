#pragma once
// Commands that look into tables and diagrams without a window:
//   dump TABLE.db                    any Paradox table as JSON, cells as the table view shows them
//   meaning [DIR] [--steps STEPS]    the lines "Implicit &meaning" would append to the log
//   show [DIR] sentence|arrow|defeater N [--steps STEPS]
//                                    the text of the "Show ... Data" command, "\n" for each line break
#include "tools/Commands.h"

namespace zorvex::tools {

Command addDumpCommand(CLI::App& cli);
Command addMeaningCommand(CLI::App& cli);
Command addShowCommand(CLI::App& cli);

}  // namespace zorvex::tools
