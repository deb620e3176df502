// zorvex-cli export [DIR] [-o FILE]
#include <memory>

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
};

int runExport(const ExportOptions& o, CommandIo& io) {
  const DiagramLocation where = locationFor(o.directory);
  const Diagram diagram = loadDiagram(where);
  // Tables hold no statuses; a diagram file's are kept.
  const WithStatuses statuses = where.format == DiagramFormat::Json ? WithStatuses::Yes : WithStatuses::No;
  const std::string json = diagramToJson(rowsOfDiagram(diagram, statuses));
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
                  "Where the tables are (default: the working directory), or a diagram file ending in .json");
  app->add_option("-o,--output", o->output, "Write the JSON to this file instead of the standard output");
  return {app, [o](CommandIo& io) { return runExport(*o, io); }};
}

}  // namespace zorvex::tools
