#pragma once
// zorvex-cli why DIAGRAM sentence|arrow|defeater N [--steps STEPS]
//     [--evaluate-options SET] [--jump-options SET] [--depth D] [--json]
// Why the element has its status after the steps: the tree as indented
// text, or as JSON (described in the README).
#include "tools/Commands.h"

namespace zorvex::tools {

Command addWhyCommand(CLI::App& cli);

}  // namespace zorvex::tools
