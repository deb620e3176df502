// zorvex-cli meaning [DIR] [--steps STEPS]
#include <memory>

#include "eval/ImplicitMeaning.h"
#include "tools/DiagramSource.h"
#include "tools/InquiryCommands.h"
#include "tools/Steps.h"

namespace zorvex::tools {
namespace {

struct MeaningOptions {
  std::string directory = ".";
  std::string steps;  // none by default
};

int runMeaning(const MeaningOptions& o, CommandIo& io) {
  const std::vector<Step> steps = o.steps.empty() ? std::vector<Step>{} : parseSteps(o.steps);
  Diagram diagram = loadDiagram(o.directory, &io.err);
  checkSteps(steps, diagram);
  EvaluationLog stepsLog;
  const EvaluationOptions options;
  for (const Step& s : steps) runStep(s, diagram, options, stepsLog);
  // Only what the implicit-meaning command itself appends is printed.
  EvaluationLog log;
  ImplicitMeaning(diagram, log);
  for (const std::string& line : log.lines()) io.out << line << "\n";
  return 0;
}

}  // namespace

Command addMeaningCommand(CLI::App& cli) {
  auto o = std::make_shared<MeaningOptions>();
  CLI::App* app = cli.add_subcommand(
      "meaning", "Print the rules, reasons and exceptions the stored diagram stands for, as \"Implicit meaning\" logs them.");
  app->add_option("DIR", o->directory,
                  "Where the tables are (default: the working directory), or a diagram file ending in .json");
  app->add_option("--steps", o->steps,
                  "Run first, comma-separated: evaluate, jump, reset, justified:N, unjustified:N, not-evaluated:N "
                  "(default: none)");
  return {app, [o](CommandIo& io) { return runMeaning(*o, io); }};
}

}  // namespace zorvex::tools
