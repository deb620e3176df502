#include <gtest/gtest.h>

#include "document/PageTiling.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

TEST(PagePlan, FullSizeTilesRowByRowAndFittingShrinksButNeverEnlarges) {
  // 1600 x 1100 from (-100, 0), on pages with room for 700 x 1000.
  const Rect frame{-100, 0, 1499, 1099};
  const PagePlan full = planPages(frame, {700, 1000}, false);
  EXPECT_EQ(full.scale, 1.0);
  EXPECT_EQ(full.columns, 3);
  EXPECT_EQ(full.rows, 2);
  const std::vector<Rect> pages = {{-100, 0, 599, 999},     {600, 0, 1299, 999},     {1300, 0, 1499, 999},
                                   {-100, 1000, 599, 1099}, {600, 1000, 1299, 1099}, {1300, 1000, 1499, 1099}};
  EXPECT_EQ(full.pages, pages);

  const PagePlan fitted = planPages(frame, {700, 1000}, true);
  EXPECT_DOUBLE_EQ(fitted.scale, 700.0 / 1600.0);
  EXPECT_EQ(fitted.pages, std::vector<Rect>({frame}));
  EXPECT_EQ(planPages({0, 0, 639, 479}, {700, 1000}, true).scale, 1.0);
  EXPECT_EQ(planPages({0, 0, 639, 479}, {700, 1000}, false).pages.size(), 1u);
}

TEST(PagePlan, RefusesAPageWithoutRoomAndAPictureOfTooManyPages) {
  EXPECT_THROW(planPages({0, 0, 639, 479}, {0, 1000}, false), ZorvexError);
  try {
    planPages({0, 0, 999999, 479}, {100, 1000}, false);
    FAIL() << "no error";
  } catch (const ZorvexError& e) {
    EXPECT_EQ(e.message(), "The diagram would take 10000 pages at full size: print it fitted to one page");
  }
  EXPECT_EQ(planPages({0, 0, 999999, 479}, {100, 1000}, true).pages.size(), 1u);
}

}  // namespace
}  // namespace zorvex
