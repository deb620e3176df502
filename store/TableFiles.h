#pragma once
// The three diagram tables in a directory: written from rows by `import`,
// loaded by the program's own LoadElements for the other commands.
#include <string>

#include "model/Diagram.h"
#include "tools/DiagramRows.h"

namespace zorvex::tools {

// "SentencesDb.db" etc. inside `directory` ("" or "." is the working directory).
std::string tablePath(const std::string& directory, const char* file);

// Writes all three tables as Paradox 7 files: integers as Long, texts as
// Alpha as wide as the longest text. Every table is built in memory before
// any file is replaced, so a value the format cannot hold changes nothing.
// Without `force`, an existing table is refused.
void writeDiagramTables(const DiagramRows& rows, const std::string& directory, bool force);

// Loads the diagram as the program does; a loading failure throws its ZorvexError.
Diagram loadDiagram(const std::string& directory);

// The stored rows of a loaded diagram. An arrow side that loading could not
// resolve is read back from the arrow table as it is stored.
DiagramRows rowsOfDiagram(const Diagram& diagram, const std::string& directory);

}  // namespace zorvex::tools
