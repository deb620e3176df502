#include "views/ElementDataText.h"

#include <string_view>

namespace zorvex {
namespace {

constexpr std::string_view Crlf = "\r\n";

std::string num(int32_t v) { return std::to_string(v); }

// "Left: l; Top: t; Right: r; Bottom: b" (no line break).
std::string boxLine(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return "Left: " + num(left) + "; Top: " + num(top) + "; Right: " + num(right) + "; Bottom: " + num(bottom);
}

std::string pointsLine(int32_t sx, int32_t sy, int32_t ex, int32_t ey) {
  return "StartX: " + num(sx) + "; StartY: " + num(sy) + "; EndX: " + num(ex) + "; EndY: " + num(ey);
}

std::string centresLine(int32_t c1x, int32_t c1y, int32_t c2x, int32_t c2y) {
  return "Center1X: " + num(c1x) + "; Center1Y: " + num(c1y) + "; Center2X: " + num(c2x) + "; Center2Y: " + num(c2y);
}

// The words of the set bits, each followed by one space; StatusFlipped adds nothing.
std::string statusWords(Status s, std::string_view undefeated, std::string_view defeated) {
  std::string out;
  if (has(s, Undefeated)) (out += undefeated) += ' ';
  if (has(s, Defeated)) (out += defeated) += ' ';
  if (has(s, NotEvaluated)) out += "not evaluated ";
  if (has(s, JustEvaluated)) out += "(just evaluated) ";
  if (has(s, SetByUser)) out += "(set by user) ";
  return out;
}

// One side of an arrow: the joined sentence's text and box, or "nil".
std::string sidePart(const Diagram& diagram, std::string_view label, int32_t sentence) {
  std::string out(label);
  if (sentence < 0 || sentence >= diagram.SentenceCount()) return out + ": nil" + std::string(Crlf);
  const TSentence& s = diagram.sentence(sentence);
  out += Crlf;
  out += "  Text: " + s.Text + std::string(Crlf);
  out += "  " + boxLine(s.Left, s.Top, s.Right, s.Bottom) + std::string(Crlf);
  return out;
}

std::string rectPart(std::string_view label, const Rect& r) {
  return std::string(label) + std::string(Crlf) + "  " + boxLine(r.Left, r.Top, r.Right, r.Bottom) +
         std::string(Crlf);
}

}  // namespace

std::string SentenceDataText(const Diagram& diagram, int32_t n) {
  const TSentence& s = diagram.sentence(n);
  std::string out = "Name: " + Diagram::name(ElementKind::Sentence, n) + std::string(Crlf);
  out += "Text: " + s.Text + std::string(Crlf);
  out += boxLine(s.Left, s.Top, s.Right, s.Bottom) + std::string(Crlf);
  out += "Status: " + statusWords(s.Status, "justified", "unjustified");
  return out;
}

std::string ArrowDataText(const Diagram& diagram, int32_t n) {
  const TArrow& a = diagram.arrow(n);
  std::string out = "Name: " + Diagram::name(ElementKind::Arrow, n) + std::string(Crlf);
  out += sidePart(diagram, "Sentence1", a.Sentence1);
  out += sidePart(diagram, "Sentence2", a.Sentence2);
  out += pointsLine(a.StartX, a.StartY, a.EndX, a.EndY) + std::string(Crlf);
  out += centresLine(a.Center1X, a.Center1Y, a.Center2X, a.Center2Y) + std::string(Crlf);
  out += "Status: " + statusWords(a.Status, "supporting", "not supporting");
  return out;
}

std::string DefeaterDataText(const Diagram& diagram, int32_t n) {
  const TDefeater& d = diagram.defeater(n);
  std::string out = "Name: " + Diagram::name(ElementKind::Defeater, n) + std::string(Crlf);
  out += rectPart("ChallengingRect", d.ChallengingRect);
  out += rectPart("ChallengedRect", d.ChallengedRect);
  out += pointsLine(d.StartX, d.StartY, d.EndX, d.EndY) + std::string(Crlf);
  out += centresLine(d.Center1X, d.Center1Y, d.Center2X, d.Center2Y);
  return out;
}

}  // namespace zorvex
