#pragma once
// What reading an AIF map made and what it left out, in a few short lines
// with counts, for the companion's standard error and the window's status
// bar and log.
#include <string>
#include <vector>

#include "aif/ArgumentMap.h"
#include "aif/MapDrawing.h"

namespace zorvex {

std::vector<std::string> mapReport(const ArgumentMap& map, const DrawnMap& drawn);

}  // namespace zorvex
