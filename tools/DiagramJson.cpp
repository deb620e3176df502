#include "tools/DiagramJson.h"

#include <nlohmann/json.hpp>

#include "tools/JsonRowReader.h"

namespace zorvex::tools {
namespace {

using nlohmann::json;

std::string rowName(const char* list, size_t i) { return std::string(list) + "[" + std::to_string(i) + "]"; }

SentenceRow readSentence(const json& value, const std::string& where, const Geometry& g) {
  JsonRowReader r(value, where, {"Left", "Top", "Right", "Bottom", "Text"});
  SentenceRow s;
  s.Left = r.integer("Left");
  s.Top = r.integer("Top");
  s.Text = r.text("Text");
  const bool right = r.has("Right"), bottom = r.has("Bottom");
  if (right != bottom) r.fail("give both 'Right' and 'Bottom', or neither");
  if (right) {
    s.Right = r.integer("Right");
    s.Bottom = r.integer("Bottom");
  } else {
    r.guard([&] { sizeSentenceFromText(s, g); });
  }
  return s;
}

int32_t sentenceNumber(JsonRowReader& r, const char* key, size_t count) {
  const int32_t n = r.integer(key);
  if (n < 0 || static_cast<size_t>(n) >= count)
    r.fail("'" + std::string(key) + "' is " + std::to_string(n) + ", but the sentences are numbered 0 to " +
           std::to_string(static_cast<int64_t>(count) - 1));
  return n;
}

ArrowRow readArrow(const json& value, const std::string& where, const std::vector<SentenceRow>& sentences,
                   const Geometry& g) {
  if (value.is_object() && (value.contains("From") || value.contains("To"))) {
    JsonRowReader r(value, where, {"From", "To"});
    const int32_t from = sentenceNumber(r, "From", sentences.size());
    const int32_t to = sentenceNumber(r, "To", sentences.size());
    if (from == to) r.fail("the start and end of the arrow must be different");
    ArrowRow a;
    r.guard([&] { a = arrowBetween(sentences[static_cast<size_t>(from)], sentences[static_cast<size_t>(to)], g); });
    return a;
  }
  JsonRowReader r(value, where, arrowColumns());
  ArrowRow a;
  r.readAll(a, arrowColumns());
  return a;
}

// A rectangle given either as [l, t, r, b] under `key` or as four columns `key`+"Left" ...
void readRect(JsonRowReader& r, const std::string& key, int32_t* out[4]) {
  static const char* const sides[4] = {"Left", "Top", "Right", "Bottom"};
  if (r.has(key)) {
    const auto values = r.integerArray(key, 4);
    for (const char* side : sides)
      if (r.has(key + side)) r.fail("give '" + key + "' either as an array or as four columns, not both");
    for (int i = 0; i < 4; ++i) *out[i] = values[static_cast<size_t>(i)];
    return;
  }
  for (int i = 0; i < 4; ++i) *out[i] = r.integer(key + sides[i]);
}

DefeaterRow readDefeater(const json& value, const std::string& where, const Geometry& g) {
  std::vector<std::string> keys{"ChallengingRect", "ChallengedRect"};
  for (const auto& c : defeaterColumns()) keys.emplace_back(c.name);
  JsonRowReader r(value, where, keys);
  DefeaterRow d;
  int32_t* challenging[4] = {&d.ChallengingRectLeft, &d.ChallengingRectTop, &d.ChallengingRectRight,
                             &d.ChallengingRectBottom};
  int32_t* challenged[4] = {&d.ChallengedRectLeft, &d.ChallengedRectTop, &d.ChallengedRectRight,
                            &d.ChallengedRectBottom};
  readRect(r, "ChallengingRect", challenging);
  readRect(r, "ChallengedRect", challenged);
  const auto& columns = defeaterColumns();
  size_t computedGiven = 0;
  for (size_t i = 8; i < columns.size(); ++i) computedGiven += r.has(columns[i].name) ? 1 : 0;
  if (computedGiven == 0) {
    r.guard([&] { completeDefeater(d, g); });
  } else {
    // Either all eight stored centre and end point columns, or none of them.
    for (size_t i = 8; i < columns.size(); ++i) d.*columns[i].integer = r.integer(columns[i].name);
  }
  return d;
}

const json& list(const json& doc, const char* key) {
  static const json empty = json::array();
  auto it = doc.find(key);
  if (it == doc.end()) return empty;
  if (!it->is_array()) throw ZorvexError(std::string("'") + key + "' must be a JSON array of rows");
  return *it;
}

json parseDocument(std::string_view text) {
  json doc;
  try {
    doc = json::parse(text);
  } catch (const json::parse_error& e) {
    std::string message = e.what();
    if (auto pos = message.find("] "); pos != std::string::npos) message.erase(0, pos + 2);
    throw ZorvexError("Invalid JSON: " + message);
  }
  if (!doc.is_object())
    throw ZorvexError("The diagram must be a JSON object with \"sentences\", \"arrows\" and \"defeaters\"");
  for (const auto& [key, _] : doc.items())
    if (key != "sentences" && key != "arrows" && key != "defeaters")
      throw ZorvexError("Unknown key '" + key + "' at the top level");
  return doc;
}

}  // namespace

DiagramRows diagramFromJson(std::string_view text, const Geometry& geometry) {
  const json doc = parseDocument(text);
  DiagramRows rows;
  const json& sentences = list(doc, "sentences");
  const json& arrows = list(doc, "arrows");
  const json& defeaters = list(doc, "defeaters");
  rows.sentences.reserve(sentences.size());
  rows.arrows.reserve(arrows.size());
  rows.defeaters.reserve(defeaters.size());
  for (size_t i = 0; i < sentences.size(); ++i)
    rows.sentences.push_back(readSentence(sentences[i], rowName("sentences", i), geometry));
  for (size_t i = 0; i < arrows.size(); ++i)
    rows.arrows.push_back(readArrow(arrows[i], rowName("arrows", i), rows.sentences, geometry));
  for (size_t i = 0; i < defeaters.size(); ++i)
    rows.defeaters.push_back(readDefeater(defeaters[i], rowName("defeaters", i), geometry));
  return rows;
}

}  // namespace zorvex::tools
