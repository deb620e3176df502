#pragma once
// What the Argdown fuzz target does with one input, shared with the ordinary
// test that reads every corpus file: read and draw it as Open does, then
// write the diagram as Argdown and read that again, which must give the same
// texts, every place kept and not one line it cannot read. Anything else (a
// crash, a sanitizer report, an exception, a failed check) is a fault.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "argdown/ArgdownFiles.h"

namespace zorvex::fuzzing {

inline void argdownFault(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

// Our own layout for any size: dot's child process is not what is tried here.
inline void readArgdownInput(std::string_view bytes) {
  const auto measure = [](const std::string& t) { return TextSize{static_cast<int32_t>(6 * t.size()), 13}; };
  Diagram diagram;
  ArgdownReading reading;
  try {
    reading = readArgdownText(diagram, bytes, measure, 0);
  } catch (const ZorvexError& e) {
    if (e.message().size() > 200) argdownFault("a message longer than 200 bytes");
    return;
  }
  for (const std::string& line : reading.report)
    if (line.size() > 2000) argdownFault("a report line longer than 2000 bytes");
  const ArgdownWriting written = writeArgdown(diagram);
  const ArgdownMeaning back = readArgdown(written.text);
  if (!back.unreadableLines.empty())
    argdownFault("the text written back has a line it cannot read: " + std::to_string(back.unreadableLines[0]));
  if (!back.everySentencePlaced()) argdownFault("the text written back lost a place");
  if (back.map.texts.size() != static_cast<size_t>(diagram.SentenceCount()))
    argdownFault("the text written back has another number of sentences");
  for (size_t n = 0; n < back.map.texts.size(); ++n)
    if (back.map.texts[n] != diagram.sentence(static_cast<int32_t>(n)).Text)
      argdownFault("the text written back changed the text of Sentence" + std::to_string(n));
}

}  // namespace zorvex::fuzzing
