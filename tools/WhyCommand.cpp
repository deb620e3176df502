#include "tools/WhyCommand.h"

#include <charconv>
#include <memory>

#include <nlohmann/json.hpp>

#include "explain/WhyTree.h"
#include "tools/Cli.h"
#include "tools/DiagramSource.h"
#include "tools/Steps.h"

namespace zorvex::tools {
namespace {

using Json = nlohmann::ordered_json;

struct WhyOptions {
  std::vector<std::string> words;  // DIAGRAM KIND N
  std::string steps, evaluateSet, jumpSet;
  int32_t depth = 20;
  bool json = false;
};

const char* kindWord(ElementKind kind) {
  return kind == ElementKind::Sentence ? "sentence" : kind == ElementKind::Arrow ? "arrow" : "defeater";
}

ElementRef targetOf(const std::vector<std::string>& words) {
  if (words.size() != 3) throw UsageError("why needs DIAGRAM sentence|arrow|defeater N");
  ElementRef ref;
  if (words[1] == "sentence") ref.kind = ElementKind::Sentence;
  else if (words[1] == "arrow") ref.kind = ElementKind::Arrow;
  else if (words[1] == "defeater") ref.kind = ElementKind::Defeater;
  else throw UsageError("Unknown element kind '" + words[1] + "' (use sentence, arrow or defeater)");
  const std::string& n = words[2];
  const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), ref.index);
  if (n.empty() || ec != std::errc() || end != n.data() + n.size() || ref.index < 0)
    throw UsageError("Bad element number '" + n + "'");
  return ref;
}

class JsonWriter {
 public:
  JsonWriter(const WhyTree& tree, const StatusRecord& record)
      : tree_(tree), record_(record), written_(tree.nodes.size(), false) {}

  Json node(int32_t n) {
    const WhyNode& w = tree_.nodes[static_cast<size_t>(n)];
    if (written_[static_cast<size_t>(n)]) return Json{{"see", n}};
    written_[static_cast<size_t>(n)] = true;
    Json out{{"id", n}, {"kind", kindWord(w.element.kind)}, {"number", w.element.index}};
    if (w.deleted) {
      out["deleted"] = true;
      return out;
    }
    out["status"] = statusWord(w.element.kind, w.status);
    const RecordedStep& step = record_.step(w.step);
    // Rounds are named by their place in STEPS, the rest by what they were.
    if (step.isRound() && step.label >= 0) out["step"] = step.label;
    else out["step"] = stepKindName(step.kind);
    out["setBy"] = step.round > 0 ? "until-stable" : stepKindName(step.kind);
    if (step.label >= 0) out["stepIndex"] = step.label;
    if (step.round > 0) out["round"] = step.round;
    out["rule"] = w.rule == WhyRule::None ? Json() : Json(ruleName(w.rule));
    out["text"] = w.text;
    out["grounds"] = Json::array();
    for (const WhyGround& g : w.grounds) out["grounds"].push_back(ground(g));
    if (w.beyondDepth) out["depthLimitReached"] = true;
    return out;
  }

 private:
  Json ground(const WhyGround& g) {
    Json out{{"kind", kindWord(g.element.kind)}, {"number", g.element.index}};
    if (g.element.kind == ElementKind::Defeater) {
      out["status"] = g.status == 1 ? "justified" : "not justified";  // of its challenge
      out["challengeJustified"] = g.status == 1;
      out["challenge"] = Json::array();
      for (const WhyGround& p : g.parts) out["challenge"].push_back(ground(p));
    } else {
      out["status"] = statusWord(g.element.kind, g.status);
      if (!g.takesPart) out["takesPart"] = false;
      if (!g.parts.empty()) out["start"] = ground(g.parts.front());
    }
    if (g.node >= 0) out["why"] = node(g.node);
    return out;
  }

  const WhyTree& tree_;
  const StatusRecord& record_;
  std::vector<bool> written_;
};

int runWhy(const WhyOptions& o, CommandIo& io) {
  const ElementRef target = targetOf(o.words);
  const std::vector<Step> steps = o.steps.empty() ? std::vector<Step>{} : parseSteps(o.steps);
  const EvaluationOptions options = optionsFromSets(o.evaluateSet, o.jumpSet);
  if (o.depth < 0) throw UsageError("Bad depth " + std::to_string(o.depth));
  Diagram diagram = loadDiagram(o.words[0]);
  checkSteps(steps, diagram);
  if (!diagram.exists(target))
    throw UsageError("No " + std::string(kindWord(target.kind)) + " " + std::to_string(target.index) +
                     " (the diagram has " + std::to_string(diagram.count(target.kind)) + ")");
  StatusRecord record(diagram);
  EvaluationLog log;
  for (size_t i = 0; i < steps.size(); ++i)
    runRecordedStep(steps[i], static_cast<int32_t>(i), diagram, options, log, record);
  const WhyTree tree = ExplainStatus(diagram, record, target, o.depth);
  if (o.json) {
    io.out << JsonWriter(tree, record).node(0).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  } else {
    for (const std::string& line : whyLines(tree, record)) io.out << line << "\n";
  }
  return 0;
}

}  // namespace

Command addWhyCommand(CLI::App& cli) {
  auto o = std::make_shared<WhyOptions>();
  CLI::App* app = cli.add_subcommand("why", "Explain why an element has its status after the steps: the rule that "
                                            "fired and its grounds, back to the premises.");
  app->add_option("WORDS", o->words,
                  "DIAGRAM sentence|arrow|defeater N (DIAGRAM: a folder of tables or a diagram file ending in .json)")
      ->required();
  app->add_option("--steps", o->steps,
                  "Run first, comma-separated: evaluate, jump, until-stable, reset, justified:N, unjustified:N, "
                  "not-evaluated:N (default: none)");
  app->add_option("--evaluate-options", o->evaluateSet,
                  "Rules of evaluation rounds: comma-separated 1, 2, 3a, 3b, or none (default 1,2,3a)");
  app->add_option("--jump-options", o->jumpSet,
                  "Rules of jump rounds: comma-separated 1, 2, 3a, 3b, or none (default 1,2,3b)");
  app->add_option("--depth", o->depth, "Explain grounds this many levels deep (default 20)");
  app->add_flag("--json", o->json, "Print the tree as JSON");
  return {app, [o](CommandIo& io) { return runWhy(*o, io); }};
}

}  // namespace zorvex::tools
