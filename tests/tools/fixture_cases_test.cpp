// Every folder under tests/fixtures is one case: a diagram, the steps run on
// it, the statuses they leave and the picture `zorvex-cli render` draws of
// it then. A new case is a new folder; tests/fixtures/README.md says how.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/tools/CliRun.h"
#include "tools/DiagramSource.h"
#include "tools/Steps.h"

namespace zorvex::tools::testing {
namespace {

namespace fs = std::filesystem;

const fs::path FixturesDir = fs::path(ZORVEX_SOURCE_DIR) / "tests" / "fixtures";

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(FixturesDir))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first line without its line end, blanks around it dropped.
std::string firstLine(const fs::path& path) {
  std::string line = readText(path);
  line = line.substr(0, line.find_first_of("\r\n"));
  const size_t start = line.find_first_not_of(" \t");
  return start == std::string::npos ? "" : line.substr(start, line.find_last_not_of(" \t") - start + 1);
}

nlohmann::json statusesOf(const Diagram& d) {
  nlohmann::json out = {{"sentences", nlohmann::json::array()},
                        {"arrows", nlohmann::json::array()},
                        {"defeaters", nlohmann::json::array()}};
  for (int32_t n = 0; n < d.SentenceCount(); ++n) out["sentences"].push_back(d.sentence(n).Status);
  for (int32_t n = 0; n < d.ArrowCount(); ++n) out["arrows"].push_back(d.arrow(n).Status);
  for (int32_t n = 0; n < d.DefeaterCount(); ++n)
    out["defeaters"].push_back(static_cast<int>(d.defeater(n).DefeaterState));
  return out;
}

QImage rgbImage(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

class FixtureCase : public ::testing::TestWithParam<std::string> {
 protected:
  fs::path folder() const { return FixturesDir / GetParam(); }
  // diagram.json when the case has one, else the case's folder with its three tables.
  std::string input() const {
    const fs::path json = folder() / "diagram.json";
    return fs::exists(json) ? json.string() : folder().string();
  }
  // Kept in the build folder when a case fails, to compare or to take as the expected files.
  fs::path actualDir() const { return fs::path(ZORVEX_BINARY_DIR) / "fixture-actual" / GetParam(); }
};

TEST_P(FixtureCase, StepsLeaveTheExpectedStatusesAndPicture) {
  for (const char* name : {"steps.txt", "expected-statuses.json", "expected.png"})
    ASSERT_TRUE(fs::exists(folder() / name)) << "the case has no " << name;
  const std::string steps = firstLine(folder() / "steps.txt");
  fs::create_directories(actualDir());

  Diagram diagram = loadDiagram(input());
  const std::vector<Step> parsed = steps.empty() ? std::vector<Step>{} : parseSteps(steps);
  checkSteps(parsed, diagram);
  EvaluationLog log;
  for (const Step& s : parsed) runStep(s, diagram, EvaluationOptions{}, log);
  const nlohmann::json statuses = statusesOf(diagram);
  std::ofstream(actualDir() / "expected-statuses.json") << statuses.dump() << "\n";
  EXPECT_EQ(statuses, nlohmann::json::parse(readText(folder() / "expected-statuses.json")));

  std::vector<std::string> render{"render", input(), "-o", (actualDir() / "expected.png").string()};
  if (!steps.empty()) render.insert(render.end(), {"--after", steps});
  if (fs::exists(folder() / "scale.txt")) render.insert(render.end(), {"--scale", firstLine(folder() / "scale.txt")});
  const CliRun run = runTool(render);
  ASSERT_EQ(run.code, 0) << run.err;
  const QImage drawn = rgbImage(QImage(QString::fromStdString((actualDir() / "expected.png").string())));
  const QImage expected = rgbImage(QImage(QString::fromStdString((folder() / "expected.png").string())));
  ASSERT_FALSE(expected.isNull()) << "expected.png cannot be read";
  ASSERT_EQ(drawn.size(), expected.size());
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x)
      ASSERT_EQ(drawn.pixel(x, y), expected.pixel(x, y)) << "first differing pixel at " << x << ", " << y;
}

std::string caseTestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureCase, ::testing::ValuesIn(caseNames()), caseTestName);

}  // namespace
}  // namespace zorvex::tools::testing
