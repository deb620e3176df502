// zorvex-cli export [DIR] [-o FILE] [--aif | --argdown | --graphml]
#include <memory>

#include "aif/AifFiles.h"
#include "argdown/ArgdownFiles.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"
#include "store/TextFiles.h"
#include "tools/Commands.h"
#include "tools/DiagramSource.h"

namespace zorvex::tools {
namespace {

struct ExportOptions {
  std::string directory = ".";
  std::string output;
  bool aif = false;
  bool argdown = false;
  bool graphml = false;
};

int runExport(const ExportOptions& o, CommandIo& io) {
  const DiagramLocation where = locationFor(o.directory);
  const Diagram diagram = loadDiagram(where, &io.err);
  // Tables hold no statuses; a diagram file's are kept.
  const WithStatuses statuses = where.format == DiagramFormat::Json ? WithStatuses::Yes : WithStatuses::No;
  const std::string json = o.aif       ? aifOfDiagram(diagram)
                           : o.argdown ? writeArgdown(diagram).text
                           : o.graphml ? graphMlOfDiagram(diagram)
                                       : diagramToJson(rowsOfDiagram(diagram, statuses));
  if (o.output.empty())
    io.out << json;
  else
    writeTextFile(o.output, json);
  return 0;
}

}  // namespace

Command addExportCommand(CLI::App& cli) {
  auto o = std::make_shared<ExportOptions>();
  CLI::App* app = cli.add_subcommand("export", "Print the stored diagram as JSON, every column of every row.");
  app->add_option("DIR", o->directory,
                  "Where the tables are (default: the working directory), or a diagram file ending in .json\n"
                  "(ours or an AIF argument map), or an Argdown text ending in .argdown");
  app->add_option("-o,--output", o->output, "Write the JSON to this file instead of the standard output");
  app->add_flag("--aif", o->aif,
                "Write an AIF argument map (AIFdb JSON): every sentence an I-node, every arrow an inference (RA),\n"
                "every defeater a conflict (CA) from what its challenging rectangle holds to what its challenged\n"
                "rectangle holds");
  CLI::Option* argdown = app->add_flag(
      "--argdown", o->argdown,
      "Write Argdown text: every sentence a statement with a short title, its place and status; arrows as +>,\n"
      "a defeater as -> from its one challenging sentence or as an argument of several, undercuts as _>");
  CLI::Option* graphml = app->add_flag(
      "--graphml", o->graphml,
      "Write GraphML for graph editors (yEd's shape nodes): sentences as nodes, arrows as edges, each defeater\n"
      "a small node with dashed edges from what it challenges with to what it challenges");
  argdown->excludes(graphml);
  app->get_option("--aif")->excludes(argdown)->excludes(graphml);
  return {app, [o](CommandIo& io) { return runExport(*o, io); }};
}

}  // namespace zorvex::tools
