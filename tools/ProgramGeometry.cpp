#include "tools/ProgramGeometry.h"

#include "elements/ui/ShortFormGeometry.h"

namespace zorvex::tools {

Geometry programGeometry(std::shared_ptr<GuiSession>& session) {
  return sentenceFontGeometry([&session] {
    if (!session) session = std::make_shared<GuiSession>();
  });
}

}  // namespace zorvex::tools
