#pragma once
// The diagram a command works on: the three tables of a folder, or a diagram
// file when the name ends in ".json" (ours or an AIF map) or ".argdown", opened as the
// program opens them.
#include <ostream>
#include <string>

#include "model/Diagram.h"
#include "store/DiagramFiles.h"

namespace zorvex::tools {

// Throws the loading failure's ZorvexError. What reading an AIF map made and
// left out goes to `notes`, a line each.
Diagram loadDiagram(const std::string& path, std::ostream* notes = nullptr);
// The same, telling which kind of diagram it was.
Diagram loadDiagram(const DiagramLocation& where, std::ostream* notes = nullptr);

}  // namespace zorvex::tools
