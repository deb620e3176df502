#include "aif/AifFiles.h"

#include <fstream>
#include <iterator>

#include "aif/MapReport.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

constexpr size_t SniffedBytes = 4096;

}  // namespace

bool isAifFile(const std::filesystem::path& file) {
  // A pipe or device would block or be consumed: only a plain file is looked into.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string head(SniffedBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return beginsLikeAif(head);
}

AifReading readAifText(Diagram& into, std::string_view json, const TextMeasure& measure, size_t layeredLimit) {
  const ArgumentMap map = mapArguments(readAifGraph(json));
  AifReading reading;
  reading.drawn = drawMap(into, map, measure, layeredLimit);
  reading.report = mapReport(map, reading.drawn);
  return reading;
}

AifReading readAifFile(Diagram& into, const std::filesystem::path& file, const TextMeasure& measure) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ZorvexError("Cannot open file " + file.string());
  const std::string json{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw ZorvexError("Cannot open file " + file.string());
  return readAifText(into, json, measure);
}

}  // namespace zorvex
