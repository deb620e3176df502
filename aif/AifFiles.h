#pragma once
// Reading an AIF file into a diagram and writing a diagram as AIF (AIFdb
// JSON): the whole way from file to laid-out diagram and back.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "aif/MapDrawing.h"
#include "model/Diagram.h"

namespace zorvex {

// True when the file's content is an AIF map (whatever it is called); false
// for one of our own diagram files and for a file that cannot be read.
bool isAifFile(const std::filesystem::path& file);

struct AifReading {
  std::vector<std::string> report;  // what was made and left out (mapReport)
  DrawnMap drawn;
};

// Into an EMPTY diagram. Throws ZorvexError: "Cannot open file <path>", or
// what is wrong with the map (the caller adds the file's name).
AifReading readAifFile(Diagram& into, const std::filesystem::path& file, const TextMeasure& measure);
AifReading readAifText(Diagram& into, std::string_view json, const TextMeasure& measure,
                       size_t layeredLimit = LayeredLayoutLimit);

// Every live sentence an I-node, every live arrow an inference (RA) with its
// premise and conclusion edges, every live defeater a conflict (CA) with an
// edge from each sentence its challenging rectangle holds and to each
// sentence and each arrow's inference its challenged rectangle holds. Node
// IDs follow the element numbers: 3n for Sentence n, 3n+1 for Arrow n, 3n+2
// for Defeater n, so they stay the same while the diagram grows.
std::string aifOfDiagram(const Diagram& d);

}  // namespace zorvex
