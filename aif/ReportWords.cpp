#include "aif/ReportWords.h"

#include "model/Diagram.h"

namespace zorvex {

std::string counted(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string countedList(const std::vector<CountedItem>& items) {
  std::string line;
  for (const CountedItem& i : items)
    if (i.n > 0) line += (line.empty() ? "" : ", ") + counted(i.n, i.one, i.many);
  return line;
}

std::string madeCounts(const ArgumentMap& map) {
  size_t undercutters = 0;
  for (const MapDefeater& d : map.defeaters) undercutters += d.undercuts() ? 1 : 0;
  std::string line = counted(map.texts.size(), "sentence", "sentences") + ", " +
                     counted(map.arrows.size(), "arrow", "arrows") + ", " +
                     counted(map.defeaters.size() - undercutters, "rebuttal", "rebuttals") + " and " +
                     counted(undercutters, "undercutter", "undercutters");
  if (map.jointInferences > 0)
    line += "; " + counted(map.jointInferences, "inference", "inferences") + " with several premises made " +
            counted(map.jointArrows, "separate arrow", "separate arrows");
  return line;
}

std::string fallbackLine(LayeredFailure failure) {
  const char* what = failure == LayeredFailure::TookTooLong ? "took too long" : "failed";
  return std::string("The automatic layout ") + what + ": the quick layered layout was used instead";
}

std::string inexactLine(const DrawnMap& drawn, const char* relation,
                        const std::function<std::string(int32_t)>& whose) {
  constexpr size_t Named = 10;
  std::string line = "Not exact: " + counted(drawn.inexact.size(), "defeater", "defeaters") +
                     " could not be drawn to hold only what its " + relation + " relates (";
  for (size_t i = 0; i < drawn.inexact.size() && i < Named; ++i) {
    const int32_t n = drawn.inexact[i];
    line += (i ? ", " : "") + Diagram::name(ElementKind::Defeater, n) + " " + whose(n);
  }
  if (drawn.inexact.size() > Named) line += ", and " + std::to_string(drawn.inexact.size() - Named) + " more";
  return line + ")";
}

}  // namespace zorvex
