// Which diagram sentence each sentence of an edited text is: first the one
// whose title and text both stay, then one of the same text, then the one
// whose title stays while its text was changed.
#include <unordered_map>

#include "argdown/ArgdownLineKinds.h"
#include "argdown/TextMeaningParts.h"

namespace zorvex::textmeaning {
namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The statement title a line defines or names first: "[Title]: ...",
// "(2) [Title]", "+> [Title]"; empty for none.
std::string titleOfLine(std::string_view line) {
  using namespace argdown;
  try {
    std::string_view s = trimmed(line);
    const SignAt sign = relationSign(s);
    if (sign.sign != Sign::None) s = trimmed(s.substr(sign.length));
    if (const std::optional<NumberedSyntax> numbered = numberedLine(s)) s = numbered->rest;
    if (s.empty() || s.front() != '[') return {};
    size_t end = 0;
    return titleAt(s, end);
  } catch (const UnreadableLine&) {
    return {};
  }
}

std::string titleAtLine(const std::vector<std::string_view>& lines, int line) {
  return line >= 1 && static_cast<size_t>(line) <= lines.size() ? titleOfLine(lines[line - 1]) : std::string();
}

class Matcher {
 public:
  Matcher(const Diagram& d, const ArgdownMeaning& m, std::string_view text) : d_(d), m_(m) {
    const size_t n = m.map.texts.size();
    out_.same.resize(n);
    out_.sentence.assign(n, -1);
    out_.spared.assign(d.SentenceCount(), false);
    claimed_.assign(d.SentenceCount(), false);
    collapsed_.resize(d.SentenceCount());
    const std::vector<std::string_view> lines = linesOf(text);
    for (size_t i = 0; i < n; ++i) titles_.push_back(titleAtLine(lines, m.sentenceLines.at(i)));
    const ArgdownWriting written = writeArgdown(d);
    const std::vector<std::string_view> writtenLines = linesOf(written.text);
    for (const WrittenStatement& s : written.statements) {
      collapsed_[s.sentence] = collapseWhiteSpace(d.sentence(s.sentence).Text);
      byText_[collapsed_[s.sentence]].push_back(s.sentence);
      const std::string title = titleAtLine(writtenLines, s.line);
      if (!title.empty()) byTitle_.emplace(title, s.sentence);
      spare(lines, s.sentence, title);
    }
  }

  SentenceMatch run() {
    const size_t n = m_.map.texts.size();
    for (size_t i = 0; i < n; ++i) {
      const int32_t s = titled(i);
      if (s >= 0 && collapsed_[s] == m_.map.texts[i]) claim(i, s);
    }
    for (size_t i = 0; i < n; ++i) {
      const auto it = byText_.find(m_.map.texts[i]);
      if (out_.sentence[i] >= 0 || it == byText_.end()) continue;
      for (int32_t s : it->second)
        if (!claimed_[s]) {
          claim(i, s);
          break;
        }
    }
    for (size_t i = 0; i < n; ++i) {
      const int32_t s = out_.sentence[i] < 0 ? titled(i) : -1;
      if (s < 0) continue;
      claim(i, s);
      // A title alone gives no text: the sentence keeps its own.
      if (m_.map.texts[i] != titles_[i]) out_.retexts.push_back({s, m_.map.texts[i]});
    }
    takeSameTexts();
    return std::move(out_);
  }

 private:
  void claim(size_t i, int32_t s) {
    out_.sentence[i] = s;
    claimed_[s] = true;
  }

  int32_t titled(size_t i) const {
    if (titles_[i].empty()) return -1;
    const auto it = byTitle_.find(titles_[i]);
    return it == byTitle_.end() || claimed_[it->second] ? -1 : it->second;
  }

  // What a line that cannot be read names is spared: its title or its text.
  void spare(const std::vector<std::string_view>& lines, int32_t s, const std::string& title) {
    for (int line : m_.unreadableLines) {
      if (line < 1 || static_cast<size_t>(line) > lines.size()) continue;
      const std::string_view l = lines[line - 1];
      if ((!title.empty() && l.find(title) != std::string_view::npos) ||
          (!collapsed_[s].empty() && l.find(collapsed_[s]) != std::string_view::npos))
        out_.spared[s] = true;
    }
  }

  // The text the sentence will have.
  std::string finalText(size_t i, const std::vector<std::string>& retexted) const {
    const int32_t s = out_.sentence[i];
    if (s < 0) return m_.map.texts[i];
    return retexted[s].empty() ? collapsed_[s] : retexted[s];
  }

  // Two sentences of one text cannot both be drawn: a new one is taken as
  // the first, and a retyped one keeps its own text.
  void takeSameTexts() {
    std::vector<std::string> retexted(d_.SentenceCount());
    for (const auto& [s, text] : out_.retexts) retexted[s] = text;
    std::unordered_map<std::string, size_t> first;
    for (size_t i = 0; i < out_.same.size(); ++i) {
      out_.same[i] = static_cast<int32_t>(i);
      const int32_t s = out_.sentence[i];
      if (s >= 0 && retexted[s].empty()) first.emplace(collapsed_[s], i);
    }
    for (size_t i = 0; i < out_.same.size(); ++i) {
      const int32_t s = out_.sentence[i];
      if (s >= 0 && retexted[s].empty()) continue;
      const auto [it, fresh] = first.emplace(finalText(i, retexted), i);
      if (fresh) continue;
      if (s < 0) out_.same[i] = static_cast<int32_t>(it->second);
      else retexted[s].clear();
    }
    std::erase_if(out_.retexts, [&](const auto& r) { return retexted[r.first].empty(); });
  }

  const Diagram& d_;
  const ArgdownMeaning& m_;
  SentenceMatch out_;
  std::vector<std::string> titles_;     // per sentence of the text
  std::vector<std::string> collapsed_;  // per diagram sentence: its text as the text reads it
  std::vector<bool> claimed_;
  std::unordered_map<std::string, std::vector<int32_t>> byText_;
  std::unordered_map<std::string, int32_t> byTitle_;
};

}  // namespace

SentenceMatch matchSentences(const Diagram& d, const ArgdownMeaning& meaning, std::string_view text) {
  return Matcher(d, meaning, text).run();
}

}  // namespace zorvex::textmeaning
