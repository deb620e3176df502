// The layered layout through Graphviz's own library, in process: one dot
// graph of fixed-size boxes, links from premise to conclusion laid bottom to
// top, clusters for the groups. Graphviz works in points; one point is
// taken as one pixel.
#include <gvc.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "layout/BoxLayout.h"
#include "layout/PlacedCorners.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

constexpr double PointsPerInch = 72.0;

std::string inches(double pixels) { return std::to_string(pixels / PointsPerInch); }

struct GraphvizContext {
  GVC_t* gvc = gvContext();
  ~GraphvizContext() { gvFreeContext(gvc); }
};

struct DotGraph {
  Agraph_t* graph;
  GVC_t* gvc;
  bool laidOut = false;
  ~DotGraph() {
    if (laidOut) gvFreeLayout(gvc, graph);
    agclose(graph);
  }
};

char* text(const char* s) { return const_cast<char*>(s); }

void setGraphAttributes(Agraph_t* g, int32_t gap) {
  agattr(g, AGRAPH, text("rankdir"), text("BT"));
  agattr(g, AGRAPH, text("nodesep"), text(inches(gap).c_str()));
  agattr(g, AGRAPH, text("ranksep"), text(inches(gap * 3).c_str()));
  // Our arrows are straight lines between the boxes: dot need not route any.
  agattr(g, AGRAPH, text("splines"), text("none"));
  agattr(g, AGNODE, text("shape"), text("box"));
  agattr(g, AGNODE, text("fixedsize"), text("true"));
  agattr(g, AGNODE, text("label"), text(""));
}

std::vector<bool> linkedBoxes(const LayoutInput& in) {
  std::vector<bool> linked(in.boxes.size(), false);
  for (const auto& [from, to] : in.links) linked[from] = linked[to] = true;
  return linked;
}

std::vector<Agnode_t*> addNodes(Agraph_t* g, const LayoutInput& in) {
  Agsym_t* width = agattr(g, AGNODE, text("width"), text("1"));
  Agsym_t* height = agattr(g, AGNODE, text("height"), text("1"));
  std::vector<Agnode_t*> nodes(in.boxes.size());
  for (size_t i = 0; i < in.boxes.size(); ++i) {
    nodes[i] = agnode(g, text(("n" + std::to_string(i)).c_str()), 1);
    agxset(nodes[i], width, text(inches(std::max(1, in.boxes[i].width)).c_str()));
    agxset(nodes[i], height, text(inches(std::max(1, in.boxes[i].height)).c_str()));
  }
  return nodes;
}

void addEdges(Agraph_t* g, const LayoutInput& in, const std::vector<Agnode_t*>& nodes) {
  Agsym_t* minlen = agattr(g, AGEDGE, text("minlen"), text("1"));
  Agsym_t* constraint = agattr(g, AGEDGE, text("constraint"), text("true"));
  for (const auto& [from, to] : in.links)
    if (from != to) agedge(g, nodes[from], nodes[to], nullptr, 1);
  // A box beside another shares its rank when nothing else ranks it.
  const std::vector<bool> linked = linkedBoxes(in);
  for (const auto& [box, other] : in.beside) {
    if (box == other) continue;
    Agedge_t* e = agedge(g, nodes[box], nodes[other], nullptr, 1);
    agxset(e, minlen, text("0"));
    if (linked[box]) agxset(e, constraint, text("false"));
  }
}

// Both ends of a link in one dot group: dot keeps such a link upright.
void addStraightGroups(Agraph_t* g, const LayoutInput& in, const std::vector<Agnode_t*>& nodes) {
  Agsym_t* group = agattr(g, AGNODE, text("group"), text(""));
  std::vector<bool> taken(in.boxes.size(), false);
  int n = 0;
  for (const auto& [from, to] : in.straight) {
    if (from == to || taken[from] || taken[to]) continue;
    taken[from] = taken[to] = true;
    const std::string name = "g" + std::to_string(n++);
    agxset(nodes[from], group, text(name.c_str()));
    agxset(nodes[to], group, text(name.c_str()));
  }
}

void addClusters(Agraph_t* g, const LayoutInput& in, const std::vector<Agnode_t*>& nodes) {
  std::vector<bool> taken(in.boxes.size(), false);
  int n = 0;
  for (const std::vector<int32_t>& group : in.groups) {
    if (group.size() < 2) continue;
    Agraph_t* cluster = agsubg(g, text(("cluster_" + std::to_string(n++)).c_str()), 1);
    for (int32_t box : group)
      if (!taken[box]) {
        taken[box] = true;
        agsubnode(cluster, nodes[box], 1);
      }
  }
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// Debian's Graphviz 2.43 keeps a few small blocks of each layout to itself
// past agclose and gvFreeLayout; they are its own, not ours to report.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgvc.so\nleak:libcgraph.so\nleak:libcdt.so\nleak:libgvplugin_dot_layout.so\n";
}
#endif

LayoutOutput layOutLayered(const LayoutInput& in) {
  LayoutOutput out;
  out.method = LayoutMethod::Layered;
  if (in.boxes.empty()) return out;
  agseterr(AGERR);  // dot's warnings are not the user's business
  static GraphvizContext context;
  DotGraph dot{agopen(text("map"), Agdirected, nullptr), context.gvc};
  setGraphAttributes(dot.graph, in.gap);
  const std::vector<Agnode_t*> nodes = addNodes(dot.graph, in);
  addEdges(dot.graph, in, nodes);
  addStraightGroups(dot.graph, in, nodes);
  addClusters(dot.graph, in, nodes);
  if (gvLayout(context.gvc, dot.graph, "dot") != 0) throw ZorvexError("The layered layout failed");
  dot.laidOut = true;
  std::vector<DoublePoint> centres(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i)
    centres[i] = {ND_coord(nodes[i]).x, -ND_coord(nodes[i]).y};  // dot's y grows upwards
  out.corners = cornersFromCentres(in.boxes, centres);
  return out;
}

}  // namespace zorvex
