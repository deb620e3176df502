// dump on tables as other engines write them: BCD columns.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "model/paradox/TableWriter.h"
#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {
namespace {

std::string dumped(const std::string& path) {
  const CliRun run = runTool({"dump", path});
  EXPECT_EQ(run.code, 0) << run.err;
  return run.out;
}

TEST(DumpBcd, BcdCellsPrintAsDecimalNumbers) {
  ScratchDir dir;
  using namespace paradox;
  const std::string path = dir.file("amounts.db");
  writeTable(path, {{"Amount", FieldType::Bcd, 0, 2}, {"N", FieldType::Long}},
             {{Decimal{"-12.50"}, 1}, {Decimal{"123456789012345678901234567890.12"}, 2}, {std::monostate{}, 3}});
  const nlohmann::json expected = nlohmann::json::parse(R"({
    "fields": [{"name": "Amount", "type": "BCD", "size": 17, "decimals": 2}, {"name": "N", "type": "Long", "size": 4}],
    "rows": [["-12.50", "1"], ["123456789012345678901234567890.12", "2"], [null, "3"]]})");
  EXPECT_EQ(nlohmann::json::parse(dumped(path)), expected);
}

}  // namespace
}  // namespace zorvex::tools::testing
