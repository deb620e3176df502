#include <gtest/gtest.h>

#include "document/RecentDiagrams.h"

namespace zorvex {
namespace {

TEST(RecentDiagrams, KeepsTheEightNewestOnceEachHoweverSpelled) {
  RecentDiagrams recent({"/d/old.json", "", "/d/old.json", "/d/tables"});
  EXPECT_EQ(recent.paths(), std::vector<std::string>({"/d/old.json", "/d/tables"}));
  // Another spelling of the folder moves it to the top instead of adding it.
  recent.add("/d/x/../tables/");
  EXPECT_EQ(recent.paths(), std::vector<std::string>({"/d/tables", "/d/old.json"}));
  for (int n = 1; n <= 7; ++n) recent.add("/d/" + std::to_string(n) + ".aif.json");
  ASSERT_EQ(recent.paths().size(), 8u);
  EXPECT_EQ(recent.paths().front(), "/d/7.aif.json");
  EXPECT_EQ(recent.paths().back(), "/d/tables");
  recent.remove("/d//tables");
  EXPECT_EQ(recent.paths().size(), 7u);
  EXPECT_EQ(recent.paths().back(), "/d/1.aif.json");
}

TEST(RecentDiagrams, NamesAndShortenedPaths) {
  EXPECT_EQ(recentName("/home/ann/debates/"), "debates");
  EXPECT_EQ(recentName("/home/ann/debate.argdown"), "debate.argdown");
  EXPECT_EQ(shortenedPath("/home/ann/debate.json", "/home/ann"), "~/debate.json");
  EXPECT_EQ(shortenedPath("/home/anna/debate.json", "/home/ann"), "/home/anna/debate.json");
  EXPECT_EQ(shortenedPath("/home/ann/projects/mediation/2024/spring/session/debate.json", "/home/ann", 30),
            "~/.../session/debate.json");
  // The name and its folder stay, however long.
  EXPECT_EQ(shortenedPath("/srv/a/b/a-very-long-folder-name/a-very-long-file-name.json", "/home/ann", 20),
            "/.../a-very-long-folder-name/a-very-long-file-name.json");
}

}  // namespace
}  // namespace zorvex
