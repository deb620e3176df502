// The centre of a box or rectangle, ((Left + Right) div 2, (Top + Bottom) div 2),
// is checked 32-bit arithmetic: the sum itself must fit, not only its half.
#include <gtest/gtest.h>

#include <cstdint>

#include "model/Checked.h"
#include "support/TestFiles.h"

namespace zorvex {
namespace {

using testing::messageOf;

TEST(CentreRule, TheSumOverflowsEvenWhereTheHalfWouldFit) {
  // The rectangle (2000000000, 0, 2000000010, 10): its Left + Right leaves 32 bits.
  EXPECT_EQ(errorBoxText(messageOf([] { midChecked(2000000000, 2000000010); })), "Integer overflow.");
  EXPECT_EQ(messageOf([] { midChecked(-2000000000, -2000000010); }), "Integer overflow");
  EXPECT_EQ(messageOf([] { midChecked(INT32_MAX, 1); }), "Integer overflow");
  EXPECT_EQ(messageOf([] { midChecked(INT32_MIN, -1); }), "Integer overflow");
}

TEST(CentreRule, SumsWithin32BitsHalveTowardZero) {
  EXPECT_EQ(midChecked(0, 10), 5);
  EXPECT_EQ(midChecked(-3, 0), -1);  // not -2
  EXPECT_EQ(midChecked(3, 0), 1);
  EXPECT_EQ(midChecked(INT32_MAX - 1, 1), 1073741823);
  EXPECT_EQ(midChecked(INT32_MIN, 0), -1073741824);
  EXPECT_EQ(midChecked(INT32_MAX, INT32_MIN), 0);  // the sum -1 halves to 0
}

}  // namespace
}  // namespace zorvex
