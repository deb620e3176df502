#include "editor/ClipboardReading.h"

#include <string>

#include "aif/AifFiles.h"
#include "aif/AifGraph.h"
#include "aif/ArgumentMap.h"
#include "model/Checked.h"
#include "model/ElementBounds.h"
#include "store/DiagramJson.h"

namespace zorvex {
namespace {

const char* const NoDiagramText = "The clipboard holds no diagram that can be pasted:\r\n";

bool isJsonObject(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const size_t first = text.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && text[first] == '{';
}

ClipboardRows plainTextRows(std::string_view text, const MeasureText& measure) {
  ClipboardRows out;
  out.placed = false;
  int32_t top = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = collapseWhiteSpace(std::string(text.substr(start, end - start)));
    start = end + 1;
    if (line.empty()) continue;
    const TextSize size = addedSentenceSize(measure(line));
    out.rows.sentences.push_back({0, top, size.width, addChecked(top, size.height), line});
    top = addChecked(addChecked(top, size.height), PastedLineGap);
  }
  if (out.rows.sentences.empty()) throw EditRefused("The clipboard holds no text that can be pasted.");
  return out;
}

// Every live element of the map as drawn, as a copy of them would hold it.
ClipboardRows aifRows(std::string_view text, const MeasureText& measure) {
  Diagram map;
  try {
    readAifText(map, text, measure);
  } catch (const ZorvexError& e) {
    throw EditRefused(NoDiagramText + e.message());
  }
  CopiedElements all;
  for (int32_t n = 0; n < map.SentenceCount(); ++n) all.sentences.push_back(n);
  for (int32_t n = 0; n < map.ArrowCount(); ++n)
    if (map.arrow(n).resolved()) all.arrows.push_back(n);
  for (int32_t n = 0; n < map.DefeaterCount(); ++n) all.defeaters.push_back(n);
  return {clipboardRows(map, all), false};
}

ClipboardRows diagramRows(std::string_view text, const MeasureText& measure) {
  ClipboardRows out;
  try {
    out.rows = diagramFromJson(text, Geometry{measure, {}});
  } catch (const ZorvexError& e) {
    throw EditRefused(NoDiagramText + e.message());
  }
  // The arrows find their sentences by text: both change alike.
  for (SentenceRow& s : out.rows.sentences) s.Text = collapseWhiteSpace(s.Text);
  for (ArrowRow& a : out.rows.arrows) {
    a.Text1 = collapseWhiteSpace(a.Text1);
    a.Text2 = collapseWhiteSpace(a.Text2);
  }
  return out;
}

}  // namespace

ClipboardRows rowsFromClipboard(std::string_view text, const MeasureText& measure) {
  if (!isJsonObject(text)) return plainTextRows(text, measure);
  ClipboardRows out = beginsLikeAif(text) ? aifRows(text, measure) : diagramRows(text, measure);
  if (out.rows.sentences.empty() && out.rows.defeaters.empty())
    throw EditRefused(std::string(NoDiagramText) + "it has no sentences and no defeaters.");
  return out;
}

}  // namespace zorvex
