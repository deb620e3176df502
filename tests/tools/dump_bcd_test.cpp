// dump on tables as other engines write them: BCD columns and a code page
// taken from the sort order.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(DumpBcd, TextOfACodePage0TableFollowsItsSortOrder) {
  ScratchDir dir;
  using namespace paradox;
  std::vector<uint8_t> f = buildTable({{"Text", FieldType::Alpha, 8}}, {{std::string("abcd")}});
  f[0x6A] = 0, f[0x6B] = 0;  // no code page
  const std::string sortOrder = "ANSIINTL";
  auto name = std::search(f.begin(), f.end(), sortOrder.begin(), sortOrder.end());
  ASSERT_NE(name, f.end());
  std::copy_n("BLROM800", 8, name);  // HP Roman-8
  auto text = std::search(f.begin() + 2048, f.end(), std::begin("abcd"), std::end("abcd") - 1);
  ASSERT_NE(text, f.end());
  const uint8_t roman8[] = {0xEB, 0xF8, 0xBE, 0xF4};
  std::copy_n(roman8, 4, text);
  const std::string path = dir.file("roman.db");
  writeFile(path, std::string(f.begin(), f.end()));
  EXPECT_EQ(nlohmann::json::parse(dumped(path))["rows"], nlohmann::json::parse(R"([["Š½ƒ¶"]])"));
}

}  // namespace
}  // namespace zorvex::tools::testing
