#pragma once
// Full comparison of two diagrams' elements, naming the first difference.
#include <string>

#include "model/Diagram.h"

namespace zorvex::testing {

inline std::string baseDiff(const ElementBase& a, const ElementBase& b) {
  if (a.Left != b.Left || a.Top != b.Top || a.Width != b.Width || a.Height != b.Height) return "bounds";
  if (a.Enabled != b.Enabled) return "Enabled";
  if (a.Selected != b.Selected) return "Selected";
  if (a.Deleted != b.Deleted) return "Deleted";
  return {};
}

inline std::string elementDiff(const TSentence& a, const TSentence& b) {
  if (auto d = baseDiff(a, b); !d.empty()) return d;
  if (a.Right != b.Right || a.Bottom != b.Bottom) return "box";
  if (a.Text != b.Text) return "Text";
  if (a.Status != b.Status) return "Status " + std::to_string(a.Status) + " vs " + std::to_string(b.Status);
  return {};
}

inline std::string elementDiff(const TArrow& a, const TArrow& b) {
  if (auto d = baseDiff(a, b); !d.empty()) return d;
  if (a.Sentence1 != b.Sentence1 || a.Sentence2 != b.Sentence2) return "sentences";
  if (a.Center1X != b.Center1X || a.Center1Y != b.Center1Y || a.Center2X != b.Center2X || a.Center2Y != b.Center2Y)
    return "centres";
  if (a.StartX != b.StartX || a.StartY != b.StartY || a.EndX != b.EndX || a.EndY != b.EndY) return "end points";
  if (a.Status != b.Status) return "Status " + std::to_string(a.Status) + " vs " + std::to_string(b.Status);
  return {};
}

inline std::string elementDiff(const TDefeater& a, const TDefeater& b) {
  if (auto d = baseDiff(a, b); !d.empty()) return d;
  if (a.ChallengingRect != b.ChallengingRect || a.ChallengedRect != b.ChallengedRect) return "rectangles";
  if (a.StartX != b.StartX || a.StartY != b.StartY || a.EndX != b.EndX || a.EndY != b.EndY) return "end points";
  if (a.DefeaterState != b.DefeaterState) return "DefeaterState";
  if (a.Incomplete != b.Incomplete) return "Incomplete";
  return {};
}

// "" when every element of every kind is the same (ZOrder included).
inline std::string diagramDiff(const Diagram& a, const Diagram& b) {
  if (a.SentenceCount() != b.SentenceCount() || a.ArrowCount() != b.ArrowCount() ||
      a.DefeaterCount() != b.DefeaterCount())
    return "counts";
  for (int32_t n = 0; n < a.SentenceCount(); ++n)
    if (auto d = elementDiff(a.sentence(n), b.sentence(n)); !d.empty() || a.sentence(n).ZOrder != b.sentence(n).ZOrder)
      return "Sentence" + std::to_string(n) + ": " + (d.empty() ? "ZOrder" : d);
  for (int32_t n = 0; n < a.ArrowCount(); ++n)
    if (auto d = elementDiff(a.arrow(n), b.arrow(n)); !d.empty() || a.arrow(n).ZOrder != b.arrow(n).ZOrder)
      return "Arrow" + std::to_string(n) + ": " + (d.empty() ? "ZOrder" : d);
  for (int32_t n = 0; n < a.DefeaterCount(); ++n)
    if (auto d = elementDiff(a.defeater(n), b.defeater(n)); !d.empty())
      return "Defeater" + std::to_string(n) + ": " + d;
  return {};
}

}  // namespace zorvex::testing

namespace zorvex::testing {

// As diagramDiff, for a diagram that may have more elements than `before`:
// those extra ones must be deleted and disabled (numbers never go back).
inline std::string diffWithExtrasGone(const Diagram& now, const Diagram& before) {
  Diagram expected = before;
  for (int32_t n = before.SentenceCount(); n < now.SentenceCount(); ++n) {
    if (!now.sentence(n).Deleted || now.sentence(n).Enabled) return "Sentence" + std::to_string(n) + " live";
    expected.addSentence(now.sentence(n));
    expected.sentence(n).ZOrder = now.sentence(n).ZOrder;
  }
  for (int32_t n = before.ArrowCount(); n < now.ArrowCount(); ++n) {
    if (!now.arrow(n).Deleted || now.arrow(n).Enabled) return "Arrow" + std::to_string(n) + " live";
    expected.addArrow(now.arrow(n));
  }
  for (int32_t n = before.DefeaterCount(); n < now.DefeaterCount(); ++n) {
    if (!now.defeater(n).Deleted || now.defeater(n).Enabled) return "Defeater" + std::to_string(n) + " live";
    expected.addDefeater(now.defeater(n));
  }
  return diagramDiff(now, expected);
}

}  // namespace zorvex::testing
