// Reading and laying out AIF argument maps: a dialogue map shaped as the
// corpora's (1,378 nodes, 287 I-nodes with locutions, transitions and
// illocutions), and generated maps of claims, reasons and attacks (one I-node
// in ten attacks) from 100 to 10,000 I-nodes, by the layered layout and by
// our own layered layout. `bench_aif --write-maps DIR` writes the dialogue map and
// the 2,000 I-node map as files, for timing the whole `zorvex-cli export`,
// and debates of 10,000, 100,000 and 1,000,000 I-nodes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "GeneratedDebates.h"
#include "aif/AifFiles.h"
#include "layout/LayeredLayoutSeam.h"

namespace {

using namespace zorvex;
using Json = nlohmann::json;

struct MapWriter {
  Json nodes = Json::array(), edges = Json::array();
  int next = 0;
  std::string node(const char* type, const std::string& text) {
    const std::string id = std::to_string(++next);
    nodes.push_back({{"nodeID", id}, {"text", text}, {"type", type}, {"timestamp", "2016-09-26 21:00:00"}});
    return id;
  }
  void edge(const std::string& from, const std::string& to) {
    edges.push_back({{"edgeID", std::to_string(edges.size() + 1)}, {"fromID", from}, {"toID", to}});
  }
  std::string json() const { return Json{{"nodes", nodes}, {"edges", edges}, {"locutions", Json::array()}}.dump(); }
};

std::string sentence(int k) {
  return "Statement " + std::to_string(k) + " of the debate, said at some length as people do";
}

// 287 I-nodes, each said in a locution (L) and asserted (YA), locutions
// joined by transitions (TA); 231 of them support (RA), rebut or undercut
// (CA) or rephrase (MA) an earlier one: 1,378 nodes.
std::string dialogueMap() {
  MapWriter w;
  std::vector<std::string> inode, relation;
  std::string lastL;
  for (int k = 0; k < 287; ++k) {
    inode.push_back(w.node("I", sentence(k)));
    const std::string l = w.node("L", "Speaker " + std::to_string(k % 5) + ": " + sentence(k));
    w.edge(l, w.node("YA", "Asserting"));
    w.edge(w.nodes.back()["nodeID"], inode.back());
    if (!lastL.empty()) {
      const std::string ta = w.node("TA", "Default Transition");
      w.edge(lastL, ta);
      w.edge(ta, l);
    }
    lastL = l;
    relation.push_back("");
    if (k == 0 || k > 231) continue;
    const int parent = k - 1 - (k * 7919) % std::min(k, 6);
    const bool undercut = k % 9 == 4 && !relation[parent].empty() && w.nodes[std::stoi(relation[parent]) - 1]["type"] == "RA";
    const char* type = k % 9 == 0 || undercut ? "CA" : k % 11 == 0 ? "MA" : "RA";
    relation.back() = w.node(type, std::string("Default ") + (type[0] == 'C' ? "Conflict" : "Inference"));
    w.edge(inode[k], relation.back());
    if (type[0] == 'R' && k % 10 == 3) w.edge(inode[k - 1], relation.back());  // a second premise
    w.edge(relation.back(), undercut ? relation[parent] : inode[parent]);
  }
  return w.json();
}

// n I-nodes in a tree of claims and three reasons each; every tenth attacks
// its parent instead, every fourth of those the parent's inference.
std::string claimsMap(int n) {
  MapWriter w;
  std::vector<std::string> inode, support;
  for (int k = 0; k < n; ++k) {
    inode.push_back(w.node("I", sentence(k)));
    support.push_back("");
    if (k == 0) continue;
    const int parent = (k - 1) / 3;
    const bool attack = k % 10 == 9;
    const bool undercut = attack && k % 40 == 39 && !support[parent].empty();
    const std::string r = w.node(attack ? "CA" : "RA", attack ? "Default Conflict" : "Default Inference");
    if (!attack) support.back() = r;
    w.edge(inode[k], r);
    w.edge(r, undercut ? support[parent] : inode[parent]);
  }
  return w.json();
}

// n I-nodes in debates of 5 to 40 statements, each statement supporting an
// earlier one of its debate or, one in five, attacking it (one attack in four
// undercuts the earlier one's inference): many parts of moderate size, as a
// corpus of maps put together.
std::string debatesMap(int n) {
  MapWriter w;
  std::vector<std::string> inode, support;
  zorvex::bench::generateDebates(n, [&](int k, int target, zorvex::bench::Relation relation) {
    using zorvex::bench::Relation;
    inode.push_back(w.node("I", sentence(k)));
    support.push_back("");
    if (relation == Relation::Opens) return;
    const bool attack = relation != Relation::Supports;
    const bool undercut = relation == Relation::Undercuts && !support[target].empty();
    const std::string r = w.node(attack ? "CA" : "RA", attack ? "Default Conflict" : "Default Inference");
    if (!attack) support.back() = r;
    w.edge(inode[k], r);
    w.edge(r, undercut ? support[target] : inode[target]);
  });
  return w.json();
}

TextSize measure(const std::string& text) { return {static_cast<int32_t>(6 * text.size()), 13}; }

// Dot runs in a child process: the wall time counts, the CPU time of this
// process would leave dot out. "fellBack" is 1 where dot failed or took
// too long and our own layout took over.
void readAndLayOut(benchmark::State& state, const std::string& json, size_t layeredLimit) {
  size_t inexact = 0;
  bool fellBack = false;
  for (auto _ : state) {
    Diagram d;
    const DrawnMap drawn = readAifText(d, json, measure, layeredLimit).drawn;
    inexact = drawn.inexact.size();
    fellBack = drawn.failure != LayeredFailure::None;
    benchmark::DoNotOptimize(d);
  }
  state.counters["inexact"] = static_cast<double>(inexact);
  state.counters["fellBack"] = fellBack ? 1 : 0;
}

void BM_DialogueMap(benchmark::State& state) { readAndLayOut(state, dialogueMap(), LayeredLayoutLimit); }
BENCHMARK(BM_DialogueMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ClaimsLayered(benchmark::State& state) {
  readAndLayOut(state, claimsMap(static_cast<int>(state.range(0))), 1000000);
}
BENCHMARK(BM_ClaimsLayered)->Arg(100)->Arg(250)->Arg(500)->Arg(1000)->Arg(1500)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ClaimsOwn(benchmark::State& state) { readAndLayOut(state, claimsMap(static_cast<int>(state.range(0))), 0); }
BENCHMARK(BM_ClaimsOwn)->Arg(100)->Arg(1000)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Many parts: dot for those of moderate size within its budget, our own
// layout for the rest, all packed.
void BM_Debates(benchmark::State& state) {
  readAndLayOut(state, debatesMap(static_cast<int>(state.range(0))), LayeredLayoutLimit);
}
BENCHMARK(BM_Debates)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-maps") {
    std::ofstream(std::string(argv[2]) + "/dialogue-1378.json") << dialogueMap();
    std::ofstream(std::string(argv[2]) + "/claims-2000.json") << claimsMap(2000);
    for (int n : {10000, 100000, 1000000})
      std::ofstream(std::string(argv[2]) + "/debates-" + std::to_string(n) + ".json") << debatesMap(n);
    return 0;
  }
  // Maps beyond the program's own limit take dot longer than its time limit allows.
  setLayeredLayoutSeam({std::chrono::minutes(10), {}});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
