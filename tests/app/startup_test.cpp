// Program start: the display check and the order in which the windows come up.
#include <QMenu>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "views/ui/AboutUnit.h"

namespace zorvex::testing {
namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
    if (had_) old_ = qgetenv(name);
    if (value) qputenv(name, value); else qunsetenv(name);
  }
  ~ScopedEnv() {
    if (had_) qputenv(name_, old_); else qunsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

TEST(Startup, ADisplayOrAChosenPlatformIsNeeded) {
  ScopedEnv display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr), platform("QT_QPA_PLATFORM", nullptr);
  EXPECT_FALSE(displayAvailable());
  {
    ScopedEnv x("DISPLAY", ":0");
    EXPECT_TRUE(displayAvailable());
  }
  {
    ScopedEnv w("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_TRUE(displayAvailable());
  }
  {
    ScopedEnv p("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(displayAvailable());
  }
  EXPECT_STREQ(NoDisplayMessage,
               "zorvex: no display found; start it in a desktop session or under xvfb-run. "
               "'zorvex-cli render' draws the diagram without a display.");
}

TEST_F(AppTest, SentenceDataBoxShowsTheTargetSentence) {
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
  writeArrowsAndDefeaters();
  QFile("help.txt").open(QIODevice::WriteOnly);
  TArgumentForm& f = start();
  ASSERT_TRUE(boxes_.shown.empty());
  f.runPopupMenu = [&](QMenu&, QPoint) { choose(f, "ShowSentenceDataMenuItem"); };
  QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(230, 45));
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].caption, "Information");
  EXPECT_EQ(boxes_.shown[0].text,
            "Name: Sentence1\r\nText: B\r\nLeft: 200; Top: 40; Right: 260; Bottom: 60\r\nStatus: not evaluated ");
  // A right press off every sentence opens no menu.
  int opened = 0;
  f.runPopupMenu = [&](QMenu&, QPoint) { ++opened; };
  QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(400, 300));
  EXPECT_EQ(opened, 0);
}

TEST_F(AppTest, ArrowMenuOpensAtThePointerOverAnArrow) {
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
  writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 199, 50, 40, 40, 200, 40}, "A", "B"}});
  QFile("help.txt").open(QIODevice::WriteOnly);
  TArgumentForm& f = start();
  ASSERT_EQ(f.diagram().ArrowCount(), 1);
  std::vector<QMenu*> menus;
  QPoint at;
  f.runPopupMenu = [&](QMenu& menu, QPoint screenPoint) {
    menus.push_back(&menu);
    at = screenPoint;
    if (&menu == control<QMenu>(f, "ArrowPopupMenu")) choose(f, "ShowArrowDataMenuItem");
  };
  QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(150, 50));
  ASSERT_EQ(menus, std::vector<QMenu*>({control<QMenu>(f, "ArrowPopupMenu")}));
  EXPECT_EQ(at, control<QWidget>(f, "ClientArea")->mapToGlobal(QPoint(150, 50)));
  ASSERT_EQ(boxes_.textsOf(BoxKind::Information).size(), 1u);
  EXPECT_EQ(boxes_.textsOf(BoxKind::Information)[0].rfind("Name: Arrow0\r\nSentence1\r\n  Text: A\r\n", 0), 0u);
}

TEST_F(AppTest, TheStartUpBoxForADamagedDiagramFileNamesTheFile) {
  QFile json("damaged.json");
  ASSERT_TRUE(json.open(QIODevice::WriteOnly));
  json.write("{\"sentences\": [{\"Left\": 1, \"Top\": 2, \"Text\": \"a\"},\n  {\"Left\": 1,}]}");
  json.close();
  QFile("help.txt").open(QIODevice::WriteOnly);
  const std::string path = QDir::current().absoluteFilePath("damaged.json").toStdString();
  app_ = std::make_unique<ZorvexApplication>(locationFor(path));
  ASSERT_EQ(boxes_.textsOf(BoxKind::Error).size(), 1u);
  const std::string text = boxes_.textsOf(BoxKind::Error)[0];
  const std::string named = "Cannot read diagram file " + path + ": Invalid JSON: parse error at line 2, column 14: ";
  EXPECT_EQ(text.rfind(named, 0), 0u) << text;
}

}  // namespace
}  // namespace zorvex::testing
