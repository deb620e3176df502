// dump, meaning and show, each added to a parser of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "model/ZorvexError.h"
#include "model/paradox/TableWriter.h"
#include "tests/tools/CliRun.h"
#include "tools/Cli.h"
#include "tools/InquiryCommands.h"
#include "store/TableFiles.h"

namespace zorvex::tools::testing {
namespace {

CliRun runCommand(Command (*add)(CLI::App&), std::vector<std::string> args) {
  CLI::App cli{"inquire"};
  const Command command = add(cli);
  cli.require_subcommand(1);
  std::reverse(args.begin(), args.end());  // CLI11 takes the words last-first
  cli.parse(args);
  std::ostringstream out, err;
  CommandIo io{out, err};
  CliRun run;
  try {
    run.code = command.run(io);
  } catch (const UsageError& e) {
    run.code = 2;
    err << e.what();
  } catch (const ZorvexError& e) {
    run.code = 1;
    err << errorBoxText(e.message());
  }
  run.out = out.str();
  run.err = err.str();
  return run;
}

// A justified E challenges the rule A -> B whose conclusion lies in the
// challenged rectangle; Arrow1 names a start sentence that does not exist.
class SmallDiagram : public ::testing::Test {
 protected:
  void SetUp() override {
    DiagramRows rows;
    rows.sentences = {{10, 20, 60, 35, "A"}, {100, 20, 150, 35, "B"}, {-5, 100, 40, 116, "E"}};
    rows.arrows = {{35, 27, 125, 27, 60, 27, 100, 27, 10, 20, "A", 100, 20, "B"},
                   {0, 0, 125, 27, 0, 0, 100, 20, 10, 20, "nobody", 100, 20, "B"}};
    rows.defeaters = {{-10, 90, 50, 120, 55, 10, 160, 40, 20, 105, 107, 25, 18, 90, 55, 30}};
    writeDiagramTables(rows, dir.str(), false);
  }
  CliRun meaning(const std::string& steps) {
    std::vector<std::string> args{"meaning", dir.str()};
    if (!steps.empty()) args.insert(args.end(), {"--steps", steps});
    return runCommand(addMeaningCommand, args);
  }
  ScratchDir dir;
};

const std::string Rule = "The rule with condition 'A' and conclusion 'B' is valid.\n";

TEST_F(SmallDiagram, MeaningPrintsRulesReasonsAndExceptionsAfterTheSteps) {
  CliRun run = meaning("");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, Rule);

  run = meaning("justified:0,justified:1");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, Rule + "'A' is a reason for 'B'.\n");

  run = meaning("justified:0,unjustified:1,justified:2");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, Rule + "'E' is an exception to the rule with condition 'A' and conclusion 'B'.\n");

  run = meaning("justified:3");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.out, "");
}

TEST_F(SmallDiagram, ShowPrintsTheDataTexts) {
  CliRun run = runCommand(addShowCommand, {"show", dir.str(), "sentence", "2", "--steps", "justified:2"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "Name: Sentence2\nText: E\nLeft: -5; Top: 100; Right: 40; Bottom: 116\n"
                     "Status: justified (set by user) \n");

  run = runCommand(addShowCommand, {"show", dir.str(), "arrow", "1"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "Name: Arrow1\nSentence1: nil\nSentence2\n  Text: B\n  Left: 100; Top: 20; Right: 150; Bottom: 35\n"
            "StartX: 0; StartY: 0; EndX: 100; EndY: 20\nCenter1X: 0; Center1Y: 0; Center2X: 125; Center2Y: 27\n"
            "Status: not evaluated \n");

  run = runCommand(addShowCommand, {"show", dir.str(), "defeater", "0"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "Name: Defeater0\nChallengingRect\n  Left: -10; Top: 90; Right: 50; Bottom: 120\n"
            "ChallengedRect\n  Left: 55; Top: 10; Right: 160; Bottom: 40\n"
            "StartX: 18; StartY: 90; EndX: 55; EndY: 30\nCenter1X: 20; Center1Y: 105; Center2X: 107; Center2Y: 25\n");

  EXPECT_EQ(runCommand(addShowCommand, {"show", dir.str(), "sentence", "3"}).code, 2);
  EXPECT_EQ(runCommand(addShowCommand, {"show", dir.str(), "circle", "0"}).code, 2);
  EXPECT_EQ(runCommand(addShowCommand, {"show", dir.str(), "arrow", "-1"}).code, 2);
  EXPECT_EQ(runCommand(addShowCommand, {"show", "arrow"}).code, 2);
}

TEST(DumpCommand, PrintsFieldsAndCellsAsTheTableViewShowsThem) {
  ScratchDir dir;
  using namespace paradox;
  const std::string path = dir.file("mixed.db");
  writeTable(path,
             {{"Left", FieldType::Long}, {"Text", FieldType::Alpha, 12}, {"Done", FieldType::Logical},
              {"Day", FieldType::Date}, {"Amount", FieldType::Number}},
             {{-5, std::string("Caf\u00e9"), true, Date{2024, 2, 29}, 2.5},
              {std::monostate{}, std::string(), false, std::monostate{}, -3.0}});
  const CliRun run = runCommand(addDumpCommand, {"dump", path});
  ASSERT_EQ(run.code, 0) << run.err;
  const nlohmann::json expected = nlohmann::json::parse(R"({
    "fields": [{"name": "Left", "type": "Long", "size": 4}, {"name": "Text", "type": "Alpha", "size": 12},
               {"name": "Done", "type": "Logical", "size": 1}, {"name": "Day", "type": "Date", "size": 4},
               {"name": "Amount", "type": "Number", "size": 8}],
    "rows": [["-5", "Caf\u00e9", "True", "2024-02-29", "2.5"],
             [null, null, "False", null, "-3"]]})");
  EXPECT_EQ(nlohmann::json::parse(run.out), expected);

  const CliRun missing = runCommand(addDumpCommand, {"dump", dir.file("none.db")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "Cannot open file " + dir.file("none.db") + ".");
  writeFile(dir.file("junk.db"), "not a table");
  EXPECT_EQ(runCommand(addDumpCommand, {"dump", dir.file("junk.db")}).code, 1);
}

}  // namespace
}  // namespace zorvex::tools::testing
