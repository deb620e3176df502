#include "app/ui/ProgramArguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zorvex {

ProgramStart readProgramArguments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app("Zorvex! - a mediation system for argumentation with defeasible arguments.\n"
               "Without DIAGRAM it opens the tables of the working directory.",
               "zorvex");
  std::string path;
  app.add_option("DIAGRAM", path, "A folder holding SentencesDb.db, ArrowsDb.DB and DefeatersDb.DB, or a .json diagram file");
  // Qt reads its own options (-platform, -style, ...) from the same line.
  app.allow_extras();
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  ProgramStart start;
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    start.exitCode = 0;
    return start;
  } catch (const CLI::ParseError& e) {
    err << "zorvex: " << e.what() << "\n";
    start.exitCode = 2;
    return start;
  }
  if (path.empty()) return start;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    err << "zorvex: " << path << ": no such folder or file\n";
    start.exitCode = 2;
    return start;
  }
  start.diagram = locationFor(path);
  return start;
}

}  // namespace zorvex
