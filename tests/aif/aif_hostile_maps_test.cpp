// Small hostile maps: joint attackers in a cycle of conflicts, which once made
// dot run for ever or fail an assertion, are laid out by dot in time; a
// layout library that crashes or hangs ends only its child process, the rows
// take over and the report says so; nesting and numbers are bounded.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>

#include "aif/MapReport.h"
#include "layout/LayeredLayoutSeam.h"
#include "model/ZorvexError.h"
#include "tests/aif/AifTesting.h"

namespace zorvex::testing {
namespace {

using namespace std::chrono_literals;

std::string hostileMap(const std::string& name) {
  std::ifstream in(std::string(ZORVEX_SOURCE_DIR) + "/tests/fuzz/corpus/fuzz_aif_map/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::chrono::steady_clock::duration timeOf(const std::function<void()>& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::steady_clock::now() - start;
}

TEST(HostileMaps, JointAttackersInACycleOfConflictsAreLaidOutByDot) {
  for (const char* name : {"dot-runs-for-ever.json", "dot-fails-merge-chain.json"}) {
    SCOPED_TRACE(name);
    Diagram d;
    AifReading reading;
    EXPECT_LT(timeOf([&] { reading = readAifText(d, hostileMap(name), fakeMeasure); }), 2s);
    EXPECT_EQ(reading.drawn.method, LayoutMethod::Layered);
    EXPECT_EQ(reading.drawn.failure, LayeredFailure::None);
    EXPECT_EQ(d.SentenceCount(), 5);
    EXPECT_EQ(reading.report.size(), std::string(name) == "dot-runs-for-ever.json" ? 3u : 2u);
  }
}

// Whatever the layout library does in its child process, the map is drawn
// by our own layout, as exactly as dot would, with a line that says why.
TEST(HostileMaps, ACrashingOrHangingDotFallsBackOnOurOwnLayoutWithANote) {
  struct Case {
    std::function<void()> inChild;
    const char* note;
  };
  const Case cases[] = {
      {[] { std::abort(); }, "The automatic layout failed: the quick layered layout was used instead"},
      {[] { raise(SIGSEGV); }, "The automatic layout failed: the quick layered layout was used instead"},
      {[] { _exit(0); }, "The automatic layout failed: the quick layered layout was used instead"},
      {[] {
         for (;;) pause();
       },
       "The automatic layout took too long: the quick layered layout was used instead"},
  };
  const std::string json = aifDataFile("nodeset6463.json");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    const LayeredLayoutSeam before = setLayeredLayoutSeam({300ms, c.inChild});
    Diagram d;
    AifReading reading;
    // One try only: the second, with more room, would fail as the first did.
    EXPECT_LT(timeOf([&] { reading = readAifText(d, json, fakeMeasure); }), 550ms);
    setLayeredLayoutSeam(before);
    EXPECT_EQ(reading.drawn.method, LayoutMethod::Own);
    ASSERT_EQ(reading.report.size(), 3u);
    EXPECT_EQ(reading.report[1], c.note);
    EXPECT_EQ(reading.report[0].find("the quick way"), std::string::npos) << reading.report[0];
    expectExactLayout(d, mapArguments(readAifGraph(json)));
  }
  // The seam put back, dot lays the map out again.
  Diagram d;
  EXPECT_EQ(readAifText(d, json, fakeMeasure).drawn.method, LayoutMethod::Layered);
}

std::string errorOf(const std::string& json) {
  try {
    readAifGraph(json);
  } catch (const ZorvexError& e) {
    return e.message();
  }
  return "";
}

// The way down to a value nested too deep, as a message quotes it: at most 80 characters.
std::string quotedWay(const std::string& outer, int lists) {
  std::string way = outer;
  for (int i = 0; i < lists; ++i) way += "[0]";
  return way.size() > 80 ? way.substr(0, 80) + "..." : way;
}

TEST(HostileMaps, NestingAndNumbersAreBoundedWithShortMessages) {
  EXPECT_EQ(errorOf(hostileMap("person-nested-50000-deep.json")),
            quotedWay("locutions[0].personID", 30) + ": lists and objects nested more than 100 deep");
  // A hundred levels are read, the map's own object among them; no map needs as many.
  const auto nested = [](int n) { return std::string(n, '[') + std::string(n, ']'); };
  EXPECT_EQ(errorOf(R"({"nodes": [], "edges": [], "x": )" + nested(99) + "}"), "");
  EXPECT_EQ(errorOf(R"({"nodes": [], "edges": [], "x": )" + nested(100) + "}"),
            quotedWay("x", 99) + ": lists and objects nested more than 100 deep");
  EXPECT_EQ(errorOf(hostileMap("number-1e400.json")), "a number too large at byte 61 ('1e400')");
  EXPECT_EQ(errorOf(hostileMap("number-400-nines.json")),
            "a number too large at byte 456 ('" + std::string(80, '9') + "...')");
}

TEST(HostileMaps, TheNotExactLineQuotesALongConflictIdShort) {
  Diagram d;
  const AifReading reading = readAifText(d, hostileMap("inexact-with-a-long-conflict-id.json"), fakeMeasure);
  EXPECT_EQ(reading.report.back(), "Not exact: 1 defeater could not be drawn to hold only what its conflict relates "
                                   "(Defeater0 for conflict " +
                                       std::string(80, 'c') + "...)");
}

}  // namespace
}  // namespace zorvex::testing
