// zorvex-cli evaluate [DIR] [--steps STEPS] [--evaluate-options SET]
//                     [--jump-options SET] [--json] [--log FILE]
#include <memory>
#include <span>

#include <nlohmann/json.hpp>

#include "store/TextFiles.h"
#include "tools/Cli.h"
#include "tools/Commands.h"
#include "tools/DiagramSource.h"
#include "tools/Steps.h"

namespace zorvex::tools {
namespace {

struct EvaluateOptions {
  std::string directory = ".";
  std::string steps = "evaluate";
  std::string evaluateSet, jumpSet;
  bool json = false;
  std::string logFile;
};

// The dated start header a run of the program writes first.
std::vector<std::string> logHeader() {
  const std::string header = logHeaderLine(LogTime::now());
  const std::string rule(header.size(), '-');
  return {rule, header, rule, ""};
}

// The log's lines from `first` on: those the steps wrote.
using LogLines = std::span<const std::string>;

std::string finalState(const Diagram& d, LogLines lines) {
  nlohmann::ordered_json out;
  out["log"] = nlohmann::ordered_json::array();
  for (const std::string& line : lines) out["log"].push_back(line);
  out["sentences"] = nlohmann::ordered_json::array();
  for (int32_t n = 0; n < d.SentenceCount(); ++n)
    out["sentences"].push_back({{"name", Diagram::name(ElementKind::Sentence, n)},
                                {"text", d.sentence(n).Text},
                                {"status", d.sentence(n).Status}});
  out["arrows"] = nlohmann::ordered_json::array();
  for (int32_t n = 0; n < d.ArrowCount(); ++n)
    out["arrows"].push_back({{"name", Diagram::name(ElementKind::Arrow, n)}, {"status", d.arrow(n).Status}});
  out["defeaters"] = nlohmann::ordered_json::array();
  for (int32_t n = 0; n < d.DefeaterCount(); ++n)
    out["defeaters"].push_back({{"name", Diagram::name(ElementKind::Defeater, n)},
                                {"state", static_cast<int>(d.defeater(n).DefeaterState)}});
  return out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

int runEvaluate(const EvaluateOptions& o, CommandIo& io) {
  const std::vector<Step> steps = parseSteps(o.steps);
  const EvaluationOptions options = optionsFromSets(o.evaluateSet, o.jumpSet);
  Diagram diagram = loadDiagram(o.directory, &io.err);
  checkSteps(steps, diagram);

  EvaluationLog log;
  log.replaceLines(logHeader());
  const size_t headerLines = log.lines().size();
  for (const Step& s : steps) runStep(s, diagram, options, log);
  // The lines are written where they lie: a long run logs millions.
  const LogLines lines = LogLines(log.lines()).subspan(headerLines);
  if (!o.logFile.empty()) {
    std::string file;
    for (const std::string& line : log.lines()) file.append(line).append("\r\n");
    writeTextFile(o.logFile, file);
  }
  if (o.json) {
    io.out << finalState(diagram, lines);
  } else {
    for (const std::string& line : lines) io.out.write(line.data(), static_cast<std::streamsize>(line.size())) << '\n';
  }
  return 0;
}

}  // namespace

Command addEvaluateCommand(CLI::App& cli) {
  auto o = std::make_shared<EvaluateOptions>();
  CLI::App* app = cli.add_subcommand("evaluate", "Run rounds on the stored diagram and print the log lines.");
  app->add_option("DIR", o->directory,
                  "Where the tables are (default: the working directory), or a diagram file ending in .json");
  app->add_option("--steps", o->steps,
                  "Comma-separated: evaluate, jump, until-stable, reset, justified:N, unjustified:N, not-evaluated:N "
                  "(N a sentence number); default evaluate");
  app->add_option("--evaluate-options", o->evaluateSet,
                  "Rules of evaluation rounds: comma-separated 1, 2, 3a, 3b, or none (default 1,2,3a)");
  app->add_option("--jump-options", o->jumpSet,
                  "Rules of jump rounds: comma-separated 1, 2, 3a, 3b, or none (default 1,2,3b)");
  app->add_flag("--json", o->json, "Print one JSON object with the log lines and the final statuses");
  app->add_option("--log", o->logFile, "Also write the whole log, header included, as \"log.txt\" is written");
  return {app, [o](CommandIo& io) { return runEvaluate(*o, io); }};
}

}  // namespace zorvex::tools
