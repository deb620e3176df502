#pragma once
// Each subcommand registers its options on the parser and hands back how to run it.
#include <functional>
#include <ostream>

#include <CLI/CLI.hpp>

namespace zorvex::tools {

struct CommandIo {
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  CLI::App* app = nullptr;
  std::function<int(CommandIo&)> run;
};

Command addImportCommand(CLI::App& cli);
Command addExportCommand(CLI::App& cli);
Command addRenderCommand(CLI::App& cli);
Command addEvaluateCommand(CLI::App& cli);

}  // namespace zorvex::tools
