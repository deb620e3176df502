#pragma once
// What the fuzz targets do with one input, shared with the ordinary test that
// runs every corpus file: read it as the program would and check what can be
// checked of the outcome. Anything other than a diagram or a ZorvexError (a
// crash, a sanitizer report, another exception, a failed check) is a fault.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"

#ifndef ZORVEX_FUZZ_TABLES_ONLY
#include "aif/AifFiles.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"
#include "store/RowsLoading.h"
#include "store/WrittenJson.h"
#endif

namespace zorvex::fuzzing {

enum class Outcome { Read, Refused };

[[noreturn]] inline void fault(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// Input is quoted by at most 80 characters, so no message grows with the input.
inline void checkMessage(const ZorvexError& e) {
  if (e.message().size() > 1000) fault("a message longer than 1000 bytes");
}

// Any bytes as a table file: rows or a ZorvexError, never a crash, hang or over-read.
inline Outcome readTable(const uint8_t* data, size_t size) {
  using namespace paradox;
  try {
    auto t = ParadoxTable::fromBytes(std::vector<uint8_t>(data, data + size), "fuzz.db");
    const int columns = static_cast<int>(t->fields().size());
    for (int c = 0; c < columns; ++c) (void)t->columnIndex(t->fields()[static_cast<size_t>(c)].name);
    for (t->first(); !t->eof(); t->next())
      for (int c = 0; c < columns; ++c) {
        (void)t->displayText(t->currentRow(), c);
        try {
          (void)t->integerAt(c);
        } catch (const ZorvexError& e) {
          checkMessage(e);
        }
        try {
          (void)t->textAt(c);
        } catch (const ZorvexError& e) {
          checkMessage(e);
        }
      }
  } catch (const ZorvexError& e) {
    checkMessage(e);
    return Outcome::Refused;
  }
  return Outcome::Read;
}

#ifndef ZORVEX_FUZZ_TABLES_ONLY
// Any bytes as a diagram file, opened as the program opens one. What is read
// is also written back and must read back the same.
inline Outcome readDiagramJson(std::string_view bytes) {
  Geometry geometry = borderPointGeometry();
  geometry.textSize = [](const std::string& t) {
    return TextSize{static_cast<int32_t>(6 * std::min<size_t>(t.size(), 1'000'000)), 13};
  };
  DiagramRows rows;
  try {
    rows = diagramFromJson(bytes, geometry);
  } catch (const ZorvexError& e) {
    checkMessage(e);
    Diagram quick;
    if (loadWrittenJson(quick, bytes, 1 + bytes.size() % 97, bytes.size() % 2 == 0)) fault("the line reader took what is refused");
    return Outcome::Refused;
  }
  try {
    if (diagramFromJson(diagramToJson(rows), geometry) != rows) fault("the diagram written back reads differently");
  } catch (const ZorvexError& e) {
    fault(("the diagram written back is refused: " + e.message()).c_str());
  }
  Diagram diagram;
  if (const auto error = loadRows(diagram, rows)) {
    checkMessage(*error);
    Diagram quick;
    if (loadWrittenJson(quick, bytes, 1 + bytes.size() % 97, bytes.size() % 2 == 0)) fault("the line reader took what is refused");
    return Outcome::Refused;
  }
  applyStatuses(diagram, rows);
  Diagram quick;
  if (loadWrittenJson(quick, bytes, 1 + bytes.size() % 97, bytes.size() % 2 == 0) &&
      rowsOfDiagram(quick, WithStatuses::Yes) != rowsOfDiagram(diagram, WithStatuses::Yes))
    fault("the line reader read the file differently");
  return Outcome::Read;
}

// Any bytes as an AIF map, read and laid out as Open does (dot in its child
// process). The report's lines stay short, and what is written back as AIF
// reads back as the same sentences and, when every defeater came out exact,
// as the same number of defeaters.
inline Outcome readAifMap(std::string_view bytes) {
  const auto measure = [](const std::string& t) {
    return TextSize{static_cast<int32_t>(6 * std::min<size_t>(t.size(), 1'000'000)), 13};
  };
  Diagram diagram;
  AifReading reading;
  try {
    reading = readAifText(diagram, bytes, measure);
  } catch (const ZorvexError& e) {
    checkMessage(e);
    return Outcome::Refused;
  }
  for (const std::string& line : reading.report)
    if (line.size() > 1500) fault("a report line longer than 1500 bytes");
  ArgumentMap back;
  try {
    back = mapArguments(readAifGraph(aifOfDiagram(diagram)));
  } catch (const ZorvexError& e) {
    fault(("the map written back is refused: " + e.message()).c_str());
  }
  if (back.texts.size() != static_cast<size_t>(diagram.SentenceCount())) fault("the map written back lost sentences");
  for (size_t n = 0; n < back.texts.size(); ++n)
    if (back.texts[n] != diagram.sentence(static_cast<int32_t>(n)).Text) fault("the map written back changed a text");
  if (reading.drawn.inexact.empty() && back.defeaters.size() != static_cast<size_t>(diagram.DefeaterCount()))
    fault("the map written back lost a defeater");
  return Outcome::Read;
}
#endif

}  // namespace zorvex::fuzzing
