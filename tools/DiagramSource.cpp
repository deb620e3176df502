#include "tools/DiagramSource.h"

#include "model/paradox/ParadoxTable.h"
#include "tools/ProgramGeometry.h"

namespace zorvex::tools {

Diagram loadDiagram(const std::string& path, std::ostream* notes) {
  return loadDiagram(locationFor(path.empty() ? "." : path), notes);
}

Diagram loadDiagram(const DiagramLocation& where, std::ostream* notes) {
  std::shared_ptr<GuiSession> session;  // only hand-written sentences without a size need one
  Diagram diagram;
  const OpenResult result = openDiagram(diagram, where, paradox::tableOpener(), programGeometry(session));
  if (result.error) throw *result.error;
  if (notes)
    for (const std::string& line : result.report) *notes << line << "\n";
  return diagram;
}

}  // namespace zorvex::tools
