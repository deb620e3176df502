#pragma once
// The geometry that completes a hand-written diagram's short forms as the
// window would draw them: texts measured in the sentence font, border points
// by ComputeStartEndPoints.
#include <functional>

#include "store/ShortForms.h"

namespace zorvex {

// beforeMeasuring runs before each text measurement (a font needs a GUI
// application; the companion makes one only when a text must be measured).
Geometry sentenceFontGeometry(std::function<void()> beforeMeasuring = {});

}  // namespace zorvex
