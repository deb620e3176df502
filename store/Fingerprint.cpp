// The fingerprint of what a saved diagram file would hold.
#include <functional>
#include <string_view>

#include "store/DiagramFiles.h"

namespace zorvex {
namespace {

class Hasher {
 public:
  void add(uint64_t v) {
    h_ ^= v * 0x9E3779B97F4A7C15ull;
    h_ = (h_ << 31 | h_ >> 33) * 0xC2B2AE3D27D4EB4Full;
  }
  void add(int32_t a, int32_t b) { add(uint64_t{static_cast<uint32_t>(a)} << 32 | static_cast<uint32_t>(b)); }
  void add(const std::string& text) {
    add(std::hash<std::string_view>{}(text));
    add(text.size());
  }
  uint64_t value() const {
    uint64_t h = h_;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 33);
  }

 private:
  uint64_t h_ = 0x5A6F72766578ull;
};

// A left-out element counts only as left out; the selection, the enabled
// state and the drawing order are never saved and do not count.
void addSentence(Hasher& h, const TSentence& s) {
  h.add(s.Deleted);
  if (s.Deleted) return;
  h.add(s.Left, s.Top);
  h.add(s.Right, s.Bottom);
  h.add(s.Status);
  h.add(s.Text);
}

void addArrow(Hasher& h, const TArrow& a) {
  h.add(a.Deleted);
  if (a.Deleted) return;
  h.add(a.Sentence1, a.Sentence2);  // their Left, Top and Text count with the sentences
  h.add(a.Center1X, a.Center1Y);
  h.add(a.Center2X, a.Center2Y);
  h.add(a.StartX, a.StartY);
  h.add(a.EndX, a.EndY);
  h.add(a.Status);
}

void addDefeater(Hasher& h, const TDefeater& f) {
  if (f.Incomplete) return;  // still being drawn: not a part of the diagram yet
  h.add(f.Deleted);
  if (f.Deleted) return;
  for (const Rect& r : {f.ChallengingRect, f.ChallengedRect}) {
    h.add(r.Left, r.Top);
    h.add(r.Right, r.Bottom);
  }
  h.add(f.Center1X, f.Center1Y);
  h.add(f.Center2X, f.Center2Y);
  h.add(f.StartX, f.StartY);
  h.add(f.EndX, f.EndY);
  h.add(static_cast<uint64_t>(f.DefeaterState));
}

}  // namespace

uint64_t diagramFingerprint(const Diagram& d) {
  Hasher h;
  enum : uint64_t { Sentences = 0x5E, Arrows = 0xA2, Defeaters = 0xDE };  // keep the three lists apart
  h.add(Sentences);
  for (const TSentence& s : d.sentences()) addSentence(h, s);
  h.add(Arrows);
  for (const TArrow& a : d.arrows()) addArrow(h, a);
  h.add(Defeaters);
  for (const TDefeater& f : d.defeaters()) addDefeater(h, f);
  return h.value();
}

}  // namespace zorvex
