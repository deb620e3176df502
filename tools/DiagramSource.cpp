#include "tools/DiagramSource.h"

#include "model/paradox/ParadoxTable.h"
#include "tools/ProgramGeometry.h"

namespace zorvex::tools {

Diagram loadDiagram(const std::string& path) { return loadDiagram(locationFor(path.empty() ? "." : path)); }

Diagram loadDiagram(const DiagramLocation& where) {
  std::shared_ptr<GuiSession> session;  // only hand-written sentences without a size need one
  Diagram diagram;
  const OpenResult result = openDiagram(diagram, where, paradox::tableOpener(), programGeometry(session));
  if (result.error) throw *result.error;
  return diagram;
}

}  // namespace zorvex::tools
