#pragma once
// Reading an Argdown file into a diagram and writing a diagram as Argdown or
// as GraphML: the whole way from file to drawn diagram and back, as
// aif/AifFiles.h does for AIF.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "aif/MapDrawing.h"
#include "argdown/ArgdownText.h"
#include "model/Diagram.h"

namespace zorvex {

// Argdown is told by the file's ending, ".argdown" in any letter case.
bool isArgdownName(const std::filesystem::path& file);

struct ArgdownReading {
  std::vector<std::string> report;  // what was made and left out
  DrawnMap drawn;
  bool laidOut = false;  // false: every sentence stands where the text placed it
};

// Into an EMPTY diagram: laid out by the box layout unless every sentence
// has its place written, and each sentence given the status written for it.
// Throws ZorvexError: "Cannot open file <path>", or a text too long.
ArgdownReading readArgdownText(Diagram& into, std::string_view text, const TextMeasure& measure,
                               size_t layeredLimit = LayeredLayoutLimit);
ArgdownReading readArgdownFile(Diagram& into, const std::filesystem::path& file, const TextMeasure& measure);

// The report's lines for a text read and drawn.
std::vector<std::string> argdownReport(const ArgdownMeaning& meaning, const DrawnMap& drawn);

// Sentences as yEd's shape nodes (box, text, status colours), arrows as
// edges, each defeater a small node with dashed edges from the sentences its
// challenging rectangle holds and to what its challenged rectangle holds (an
// arrow by an edge to its conclusion, named in the edge's data).
std::string graphMlOfDiagram(const Diagram& d);

}  // namespace zorvex
