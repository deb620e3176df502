#pragma once
// Checks shared by the edit layer's tests.
#include <gtest/gtest.h>

#include <string>

#include "edit/DiagramEdit.h"
#include "history/DiagramState.h"
#include "support/TestFiles.h"

namespace zorvex::testing {

// The outcome's step, applied to the diagram as it is after the edit, gives
// back `before` (elements the edit added stay, deleted) and, done again,
// the diagram after the edit. Twice over, as the history may.
inline void expectStepUndoesExactly(Diagram& d, const Diagram& before, const EditOutcome& outcome) {
  const Diagram after = d;
  for (int pass = 0; pass < 2; ++pass) {
    outcome.step.apply(d, true);
    EXPECT_EQ(diffWithExtrasGone(d, before), "") << outcome.step.name << " undone";
    outcome.step.apply(d, false);
    EXPECT_EQ(diagramDiff(d, after), "") << outcome.step.name << " redone";
  }
}

inline bool covers(const Rect& outer, const Rect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// A sentence box as the user adds them, text measured 6 units a character, 13 high.
inline TextSize measured(const std::string& text) { return {static_cast<int32_t>(6 * text.size()), 13}; }

}  // namespace zorvex::testing
