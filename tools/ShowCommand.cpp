// zorvex-cli show [DIR] sentence|arrow|defeater N [--steps STEPS]
#include <charconv>
#include <memory>

#include "tools/Cli.h"
#include "tools/DiagramSource.h"
#include "tools/InquiryCommands.h"
#include "tools/Steps.h"
#include "views/ElementDataText.h"

namespace zorvex::tools {
namespace {

struct ShowOptions {
  std::vector<std::string> words;  // [DIR] KIND N
  std::string steps;
};

struct Target {
  std::string directory = ".";
  ElementKind kind = ElementKind::Sentence;
  int32_t number = 0;
};

ElementKind kindOf(const std::string& word) {
  if (word == "sentence") return ElementKind::Sentence;
  if (word == "arrow") return ElementKind::Arrow;
  if (word == "defeater") return ElementKind::Defeater;
  throw UsageError("Unknown element kind '" + word + "' (use sentence, arrow or defeater)");
}

Target targetOf(const std::vector<std::string>& words) {
  if (words.size() != 2 && words.size() != 3)
    throw UsageError("show needs [DIR] sentence|arrow|defeater N");
  Target t;
  if (words.size() == 3) t.directory = words[0];
  t.kind = kindOf(words[words.size() - 2]);
  const std::string& n = words.back();
  const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), t.number);
  if (n.empty() || ec != std::errc() || end != n.data() + n.size() || t.number < 0)
    throw UsageError("Bad element number '" + n + "'");
  return t;
}

std::string dataText(const Diagram& d, const Target& t) {
  const char* word = t.kind == ElementKind::Sentence ? "sentence" : t.kind == ElementKind::Arrow ? "arrow" : "defeater";
  const int32_t count = d.count(t.kind);
  if (t.number >= count)
    throw UsageError("No " + std::string(word) + " " + std::to_string(t.number) + " (the diagram has " +
                     std::to_string(count) + ")");
  switch (t.kind) {
    case ElementKind::Sentence: return SentenceDataText(d, t.number);
    case ElementKind::Arrow: return ArrowDataText(d, t.number);
    case ElementKind::Defeater: return DefeaterDataText(d, t.number);
  }
  return {};
}

// The box's CR LF line breaks as plain "\n", and a final one.
std::string withNewlines(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out + "\n";
}

int runShow(const ShowOptions& o, CommandIo& io) {
  const Target target = targetOf(o.words);
  const std::vector<Step> steps = o.steps.empty() ? std::vector<Step>{} : parseSteps(o.steps);
  Diagram diagram = loadDiagram(target.directory, &io.err);
  checkSteps(steps, diagram);
  EvaluationLog log;
  const EvaluationOptions options;
  for (const Step& s : steps) runStep(s, diagram, options, log);
  io.out << withNewlines(dataText(diagram, target));
  return 0;
}

}  // namespace

Command addShowCommand(CLI::App& cli) {
  auto o = std::make_shared<ShowOptions>();
  CLI::App* app = cli.add_subcommand("show", "Print the stored data of one element, as \"Show ... Data\" shows it.");
  app->add_option("WORDS", o->words,
                  "[DIR] sentence|arrow|defeater N (DIR: where the tables are, or a diagram file ending in .json)")
      ->required();
  app->add_option("--steps", o->steps,
                  "Run first, comma-separated: evaluate, jump, reset, justified:N, unjustified:N, not-evaluated:N "
                  "(default: none)");
  return {app, [o](CommandIo& io) { return runShow(*o, io); }};
}

}  // namespace zorvex::tools
