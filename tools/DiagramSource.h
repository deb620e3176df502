#pragma once
// The diagram a command works on: the three tables of a folder, or a diagram
// file when the name ends in ".json", opened as the program opens them.
#include <string>

#include "model/Diagram.h"
#include "store/DiagramFiles.h"

namespace zorvex::tools {

// Throws the loading failure's ZorvexError.
Diagram loadDiagram(const std::string& path);
// The same, telling which kind of diagram it was.
Diagram loadDiagram(const DiagramLocation& where);

}  // namespace zorvex::tools
