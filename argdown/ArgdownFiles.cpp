#include "argdown/ArgdownFiles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "argdown/PlacedDrawing.h"
#include "model/ZorvexError.h"

namespace zorvex {

bool isArgdownName(const std::filesystem::path& file) {
  std::string ending = file.extension().string();
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ending == ".argdown";
}

ArgdownReading readArgdownText(Diagram& into, std::string_view text, const TextMeasure& measure,
                               size_t layeredLimit) {
  const ArgdownMeaning meaning = readArgdown(text);
  ArgdownReading reading;
  reading.laidOut = !meaning.everySentencePlaced();
  if (reading.laidOut) {
    reading.drawn = drawMap(into, meaning.map, measure, layeredLimit);
  } else {
    std::vector<Point> corners;
    for (const SentencePlace& p : meaning.places) corners.push_back(p.corner);
    reading.drawn = drawPlacedMap(into, meaning.map, corners, measure);
  }
  std::vector<TSentence>& sentences = into.sentencesForStatus();
  for (size_t n = 0; n < meaning.places.size(); ++n)
    if (meaning.places[n].hasStatus) sentences[n].Status = meaning.places[n].status;
  reading.report = argdownReport(meaning, reading.drawn);
  return reading;
}

ArgdownReading readArgdownFile(Diagram& into, const std::filesystem::path& file, const TextMeasure& measure) {
  // A pipe or device would block, and a huge file is refused before it is read.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) throw ZorvexError("Cannot open file " + file.string());
  if (std::filesystem::file_size(file, ec) > ArgdownSizeLimit) throw argdownTooLong();
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ZorvexError("Cannot open file " + file.string());
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw ZorvexError("Cannot open file " + file.string());
  return readArgdownText(into, text, measure);
}

}  // namespace zorvex
