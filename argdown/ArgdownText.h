#pragma once
// Argdown text in and out, without a file or a window: what a text means for
// a diagram (the same ArgumentMap an AIF map gives, plus the places and
// statuses our own data blocks carry) with the line numbers of what could
// not be read, and the text of a diagram with the line of each statement.
// A text pane reads and writes through here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "aif/ArgumentMap.h"
#include "model/Diagram.h"
#include "model/ZorvexError.h"

namespace zorvex {

// The longest text read, in bytes; longer is refused with a ZorvexError.
inline constexpr size_t ArgdownSizeLimit = 256u << 20;
ZorvexError argdownTooLong();

// What a text says about one sentence besides its text: the corner and the
// status that our data block ({x: 120, y: 40, status: "justified"}) gives.
struct SentencePlace {
  bool placed = false;
  Point corner;
  bool hasStatus = false;
  Status status = NotEvaluated;
};

// What the diagram has no place for, counted; comments are not counted.
struct ArgdownLeftOut {
  size_t headings = 0;
  size_t tags = 0;
  size_t frontMatter = 0;
  size_t dataItems = 0;       // {...} entries other than ours and "uses"
  size_t inferenceRules = 0;  // the text of an inference line
  size_t furtherTexts = 0;    // a second text given for one title
  size_t unknownUses = 0;     // a "uses" number that is no statement above
  size_t selfSupports = 0;  // a premise that is its own conclusion
  size_t selfAttacks = 0;
  size_t undercutsOfNoInference = 0;  // the undercut has no premise-conclusion structure
  size_t withoutConclusion = 0;       // relations of an argument that concludes nothing
  size_t underUnreadable = 0;         // relations under a line that could not be read
  size_t withoutInference = 0;        // numbered statements with no inference line
};

struct ArgdownMeaning {
  // Sentences in the order they are defined (where their text is given, else
  // where they first appear); defeaters' conflictId names their line ("line 7").
  ArgumentMap map;
  std::vector<SentencePlace> places;  // per sentence
  std::vector<int> sentenceLines;     // per sentence: the line defining it, from 1
  ArgdownLeftOut leftOut;
  std::vector<int> unreadableLines;        // ascending, each once
  std::vector<int> attacksReadAsUndercuts;  // lines of attacks on arguments
  size_t arguments = 0;                     // with a premise-conclusion structure
  bool everySentencePlaced() const;
};

// Never throws for what the text says: a line that cannot be read is
// counted and changes nothing. Throws ZorvexError only for a text longer
// than ArgdownSizeLimit.
ArgdownMeaning readArgdown(std::string_view text);

struct WrittenStatement {
  int32_t sentence = 0;
  int line = 0;  // from 1
};

struct ArgdownWriting {
  std::string text;
  std::vector<WrittenStatement> statements;  // in sentence order, live sentences only
};

// Every live sentence a statement with a short unique title and its place
// and status; arrows as +> relations; a defeater as -> from its one
// challenging sentence, or as an argument whose premises are its
// challenging sentences and whose conclusion is the attack; an undercut of
// arrows as _> on an argument written for those arrows.
ArgdownWriting writeArgdown(const Diagram& d);

}  // namespace zorvex
