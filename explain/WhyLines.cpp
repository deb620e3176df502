// The tree as indented text: each node, its grounds below it, and below a
// ground its own explanation, then its parts (an arrow's start sentence, a
// defeater's challenge). A
// node is written out at its first mention; later mentions refer to it.
#include <vector>

#include "explain/WhyTree.h"

namespace zorvex {
namespace {

class LineWriter {
 public:
  LineWriter(const WhyTree& tree, const StatusRecord& record)
      : tree_(tree), record_(record), written_(tree.nodes.size(), false) {}

  std::vector<std::string> write() {
    node(0, 0);
    return std::move(lines_);
  }

 private:
  void add(int indent, const std::string& text) { lines_.push_back(std::string(2 * size_t(indent), ' ') + text); }

  void node(int32_t n, int indent) {
    const WhyNode& w = tree_.nodes[static_cast<size_t>(n)];
    if (written_[static_cast<size_t>(n)]) {
      add(indent, "(explained above: " + w.text + ")");
      return;
    }
    written_[static_cast<size_t>(n)] = true;
    add(indent, w.deleted ? w.text : w.text + " [" + stepText(record_, w.step) + "]");
    for (const WhyGround& g : w.grounds) ground(g, indent + 1);
    if (w.beyondDepth) add(indent + 1, "(more below the depth limit)");
  }

  void ground(const WhyGround& g, int indent) {
    add(indent, g.text);
    if (g.node >= 0) node(g.node, indent + 1);
    for (const WhyGround& p : g.parts) ground(p, indent + 1);
  }

  const WhyTree& tree_;
  const StatusRecord& record_;
  std::vector<bool> written_;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> whyLines(const WhyTree& tree, const StatusRecord& record) {
  return LineWriter(tree, record).write();
}

}  // namespace zorvex
