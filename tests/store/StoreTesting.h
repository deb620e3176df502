#pragma once
// A diagram as the window holds it after some drawing and a round, and ways
// to compare what saving keeps and to look at the files it leaves.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "elements/Geometry.h"
#include "model/Diagram.h"
#include "model/paradox/ParadoxTable.h"
#include "store/DiagramFiles.h"
#include "tests/support/TestFiles.h"

namespace zorvex::testing {

inline TSentence sentenceAt(int32_t left, int32_t top, const std::string& text) {
  TSentence s;
  s.Left = left;
  s.Top = top;
  sizeSentenceToText(s, static_cast<int32_t>(6 * text.size()), 13);
  s.Text = text;
  return s;
}

inline int32_t arrowBetween(Diagram& d, int32_t from, int32_t to) {
  TArrow a;
  a.Sentence1 = from;
  a.Sentence2 = to;
  const Point c1 = centreOf(d.sentence(from).box()), c2 = centreOf(d.sentence(to).box());
  a.Center1X = c1.x, a.Center1Y = c1.y, a.Center2X = c2.x, a.Center2Y = c2.y;
  ComputeStartEndArrow(a, d.sentence(from), d.sentence(to));
  setArrowBounds(a);
  return d.addArrow(a);
}

inline int32_t defeaterOf(Diagram& d, const Rect& challenging, const Rect& challenged) {
  TDefeater f;
  f.ChallengingRect = challenging;
  f.ChallengedRect = challenged;
  const Point c1 = centreOf(challenging), c2 = centreOf(challenged);
  f.Center1X = c1.x, f.Center1Y = c1.y, f.Center2X = c2.x, f.Center2Y = c2.y;
  ComputeStartEndDefeater(f);
  setDefeaterExtent(f);
  return d.addDefeater(f);
}

// Four sentences (one with text beyond ASCII), three arrows, two defeaters,
// and statuses of every kind that occurs.
inline Diagram sampleDiagram() {
  Diagram d;
  d.addSentence(sentenceAt(10, 20, "Tweety is a bird"));
  d.addSentence(sentenceAt(300, 20, "Tweety flies"));
  d.addSentence(sentenceAt(10, 200, "Tweety is a penguin"));
  d.addSentence(sentenceAt(-40, 400, "Ärger über Straße – café"));
  arrowBetween(d, 0, 1);
  arrowBetween(d, 2, 0);
  arrowBetween(d, 3, 1);
  defeaterOf(d, {0, 190, 200, 230}, {100, 0, 290, 60});
  defeaterOf(d, {-50, 390, 200, 430}, {0, 10, 150, 50});
  const Status sentenceStatuses[] = {Undefeated | JustEvaluated, Defeated | JustEvaluated | StatusFlipped,
                                     Undefeated | SetByUser, NotEvaluated};
  for (int32_t n = 0; n < 4; ++n) d.sentence(n).Status = sentenceStatuses[n];
  d.arrow(0).Status = Defeated | JustEvaluated;
  d.arrow(1).Status = Undefeated;
  d.defeater(0).DefeaterState = DefeaterState::Active;
  d.defeater(1).DefeaterState = DefeaterState::Inactive;
  return d;
}

enum class Statuses { Left, Kept };

// One line per element that saving keeps, with the numbers loading would
// give them: what a round trip must give back.
inline std::string savedFields(const Diagram& d, Statuses statuses) {
  std::map<int32_t, int32_t> renumbered;
  std::ostringstream out;
  for (int32_t n = 0; n < d.SentenceCount(); ++n) {
    const TSentence& s = d.sentence(n);
    if (s.Deleted) continue;
    const int32_t number = static_cast<int32_t>(renumbered.size());
    renumbered[n] = number;
    out << "Sentence" << number << " " << s.Left << " " << s.Top << " " << s.Right << " " << s.Bottom << " '"
        << s.Text << "'";
    if (statuses == Statuses::Kept) out << " status " << int{s.Status};
    out << "\n";
  }
  auto side = [&](int32_t n) { return renumbered.count(n) ? std::to_string(renumbered[n]) : std::string("nil"); };
  int32_t number = 0;
  for (const TArrow& a : d.arrows()) {
    if (a.Deleted) continue;
    out << "Arrow" << number++ << " " << side(a.Sentence1) << " -> " << side(a.Sentence2) << " " << a.Center1X << " "
        << a.Center1Y << " " << a.Center2X << " " << a.Center2Y << " " << a.StartX << " " << a.StartY << " " << a.EndX
        << " " << a.EndY;
    if (statuses == Statuses::Kept) out << " status " << int{a.Status};
    out << "\n";
  }
  number = 0;
  for (const TDefeater& f : d.defeaters()) {
    if (f.Deleted || f.Incomplete) continue;
    out << "Defeater" << number++;
    for (const Rect& r : {f.ChallengingRect, f.ChallengedRect})
      out << " " << r.Left << " " << r.Top << " " << r.Right << " " << r.Bottom;
    out << " " << f.Center1X << " " << f.Center1Y << " " << f.Center2X << " " << f.Center2Y << " " << f.StartX << " "
        << f.StartY << " " << f.EndX << " " << f.EndY;
    if (statuses == Statuses::Kept) out << " state " << static_cast<int>(f.DefeaterState);
    out << "\n";
  }
  return out.str();
}

struct Reopened {
  Diagram diagram;
  std::string error;  // "" when it opened without a failure
};

inline Reopened reopen(const DiagramLocation& where) {
  Reopened r;
  const OpenResult result = openDiagram(r.diagram, where, paradox::tableOpener());
  if (result.error) r.error = result.error->message();
  return r;
}

inline std::string bytesOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Every file of a folder with its bytes: a failed save must leave exactly
// this, no temporary file included.
inline std::map<std::string, std::string> folderContents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files[entry.path().filename().string()] = bytesOf(entry.path());
  return files;
}

}  // namespace zorvex::testing
