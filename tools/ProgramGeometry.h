#pragma once
// The program's own geometry for the short forms: text measured with the
// sentence font, border points by ComputeStartEndPoints.
#include <memory>

#include "tools/GuiSession.h"
#include "store/ShortForms.h"

namespace zorvex::tools {

// The font needs a GUI application; one is made on the first measurement
// (only hand-written sentences without a size need it) and kept in `session`.
Geometry programGeometry(std::shared_ptr<GuiSession>& session);

}  // namespace zorvex::tools
