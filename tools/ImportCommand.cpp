// zorvex-cli import DIAGRAM.json [DIR] [--force]; DIAGRAM may be an AIF argument map or an Argdown text
#include <memory>

#include "aif/AifFiles.h"
#include "argdown/ArgdownFiles.h"
#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"
#include "store/DiagramFiles.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"
#include "store/RowsLoading.h"
#include "store/TableFiles.h"
#include "tools/Commands.h"
#include "tools/ProgramGeometry.h"

namespace zorvex::tools {
namespace {

struct ImportOptions {
  std::string diagram;
  std::string directory = ".";
  bool force = false;
};

// An AIF map is laid out as opening it would, then written as its rows.
DiagramRows rowsOfAifMap(const std::string& file, const Geometry& geometry, CommandIo& io) {
  Diagram d;
  const OpenResult opened = openDiagram(d, {file, DiagramFormat::Json}, paradox::tableOpener(), geometry);
  if (opened.error) throw *opened.error;
  for (const std::string& line : opened.report) io.err << line << "\n";
  DiagramRows rows = rowsOfDiagram(d, WithStatuses::No);
  checkLoadable(rows);
  return rows;
}

// What is wrong inside the file is told with its name, as opening it in the
// program tells it; a file that cannot be opened says so by itself.
DiagramRows rowsOfDiagramFile(const std::string& file, const Geometry& geometry) {
  try {
    DiagramRows rows = diagramFromJsonFile(file, geometry);
    checkLoadable(rows);  // what the program cannot load is not written
    return rows;
  } catch (const ZorvexError& e) {
    if (e.message().rfind("Cannot open file ", 0) == 0) throw;
    throw ZorvexError("Cannot read diagram file " + file + ": " + e.message());
  }
}

int runImport(const ImportOptions& o, CommandIo& io) {
  std::shared_ptr<GuiSession> session;
  const bool map = isAifFile(o.diagram) || isArgdownName(o.diagram);
  const DiagramRows rows = map ? rowsOfAifMap(o.diagram, programGeometry(session), io)
                                                : rowsOfDiagramFile(o.diagram, programGeometry(session));
  writeDiagramTables(rows, o.directory, o.force);
  return 0;
}

}  // namespace

Command addImportCommand(CLI::App& cli) {
  auto o = std::make_shared<ImportOptions>();
  CLI::App* app = cli.add_subcommand(
      "import", "Write \"SentencesDb.db\", \"ArrowsDb.DB\" and \"DefeatersDb.DB\" from a diagram file.");
  app->add_option("DIAGRAM", o->diagram, "JSON file: {\"sentences\": [...], \"arrows\": [...], \"defeaters\": [...]}")
      ->required();
  app->add_option("DIR", o->directory, "Where to write the tables (default: the working directory)");
  app->add_flag("--force", o->force, "Replace tables that already exist");
  app->footer(
      "Rows are objects keyed by column name. Short forms: a sentence without Right and Bottom\n"
      "is sized from its text; an arrow {\"From\": i, \"To\": j} joins sentences i and j; a\n"
      "defeater given by \"ChallengingRect\" and \"ChallengedRect\" ([l, t, r, b]) gets its\n"
      "centres and end points computed. \"Status\" (sentences, arrows) and \"DefeaterState\"\n"
      "(defeaters) are accepted and not stored: tables hold no statuses. An AIF argument map is\n"
      "laid out as the program opens it, and so is an Argdown text (.argdown); what was made and\n"
      "left out is said on standard error.");
  return {app, [o](CommandIo& io) { return runImport(*o, io); }};
}

}  // namespace zorvex::tools
