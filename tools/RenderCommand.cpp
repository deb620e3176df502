// zorvex-cli render [DIR] -o FILE [--after STEPS]
#include <memory>

#include "elements/ui/DiagramRenderer.h"
#include "tools/Commands.h"
#include "tools/DiagramSource.h"
#include "tools/GuiSession.h"
#include "tools/Steps.h"

namespace zorvex::tools {
namespace {

struct RenderOptions {
  std::string directory = ".";
  std::string output;
  std::string after;
  std::string evaluateSet, jumpSet;
};

int runRender(const RenderOptions& o, CommandIo&) {
  const std::vector<Step> steps = o.after.empty() ? std::vector<Step>{} : parseSteps(o.after);
  const EvaluationOptions options = optionsFromSets(o.evaluateSet, o.jumpSet);
  const GuiSession session;
  Diagram diagram = loadDiagram(o.directory);
  checkSteps(steps, diagram);
  EvaluationLog log;
  for (const Step& s : steps) runStep(s, diagram, options, log);
  saveDiagramPicture(diagram, QString::fromStdString(o.output));
  return 0;
}

}  // namespace

Command addRenderCommand(CLI::App& cli) {
  auto o = std::make_shared<RenderOptions>();
  CLI::App* app =
      cli.add_subcommand("render", "Draw the stored diagram as the main window shows it, to PNG, SVG or PDF.");
  app->add_option("DIR", o->directory,
                  "Where the tables are (default: the working directory), or a diagram file ending in .json");
  app->add_option("-o,--output", o->output, "Picture file: PNG, or SVG or PDF when the name ends in .svg or .pdf")
      ->required();
  app->add_option("--after", o->after, "Steps to run first, as for evaluate --steps");
  app->add_option("--evaluate-options", o->evaluateSet, "Rules of evaluation rounds in --after, as for evaluate");
  app->add_option("--jump-options", o->jumpSet, "Rules of jump rounds in --after, as for evaluate");
  return {app, [o](CommandIo& io) { return runRender(*o, io); }};
}

}  // namespace zorvex::tools
