// Loading many arrows: their sides are looked up in batches and on two
// threads, yet each must name the first sentence with its Left, Top and
// Text, unresolved sides must be kept, and a failing row must leave exactly
// the rows before it loaded.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "store/RowsLoading.h"

namespace zorvex {
namespace {

constexpr int32_t Sentences = 3000;
constexpr int32_t Arrows = 150000;  // more than two batches

DiagramRows manyArrows() {
  DiagramRows rows;
  // Sentence n repeats the place and text of sentence n - 1000 for n >= 2000.
  for (int32_t n = 0; n < Sentences; ++n) {
    const int32_t k = n >= 2000 ? n - 1000 : n;
    std::string text = "S";
    text += std::to_string(k);
    rows.sentences.push_back({k % 50 * 100, k / 50 * 40, k % 50 * 100 + 60, k / 50 * 40 + 20, text});
  }
  for (int32_t i = 0; i < Arrows; ++i) {
    const SentenceRow& a = rows.sentences[static_cast<size_t>((i * 7) % Sentences)];
    const SentenceRow& b = rows.sentences[static_cast<size_t>((i * 13 + 5) % Sentences)];
    ArrowRow r{a.Left + 30, a.Top + 10, b.Left + 30, b.Top + 10, a.Left, a.Top, b.Left,
               b.Top,       a.Left,     a.Top,       a.Text,     b.Left, b.Top, b.Text};
    if (i % 1000 == 17) r.Text2 += " (gone)";  // names no sentence
    rows.arrows.push_back(r);
  }
  return rows;
}

TEST(ManyArrowsLoading, EverySideNamesTheFirstMatchingSentence) {
  const DiagramRows rows = manyArrows();
  Diagram d;
  ASSERT_FALSE(loadRows(d, rows));
  std::map<std::tuple<int32_t, int32_t, std::string>, int32_t> first;
  for (int32_t n = Sentences - 1; n >= 0; --n) {
    const SentenceRow& s = rows.sentences[static_cast<size_t>(n)];
    first[{s.Left, s.Top, s.Text}] = n;
  }
  auto expected = [&first](int32_t left, int32_t top, const std::string& text) {
    const auto it = first.find({left, top, text});
    return it == first.end() ? NoSentence : it->second;
  };
  ASSERT_EQ(d.ArrowCount(), Arrows);
  for (int32_t i = 0; i < Arrows; ++i) {
    const ArrowRow& r = rows.arrows[static_cast<size_t>(i)];
    const TArrow& a = d.arrow(i);
    ASSERT_EQ(a.Sentence1, expected(r.Left1, r.Top1, r.Text1)) << "Arrow" << i;
    ASSERT_EQ(a.Sentence2, expected(r.Left2, r.Top2, r.Text2)) << "Arrow" << i;
    ASSERT_LT(a.Sentence1, 2000) << "Arrow" << i;
    const LoadedArrowSides* kept = d.loadedSides(i);
    ASSERT_EQ(kept != nullptr, a.Sentence2 == NoSentence) << "Arrow" << i;
    if (kept) {
      ASSERT_EQ(kept->side2.Text, r.Text2);
    }
  }
}

TEST(ManyArrowsLoading, AFailingRowLeavesTheRowsBeforeItLoaded) {
  DiagramRows rows = manyArrows();
  const int32_t failing = 140001;
  rows.arrows[failing].StartX = -2147483647;
  rows.arrows[failing].EndX = 2147483647;
  Diagram d;
  const std::optional<ZorvexError> error = loadRows(d, rows);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message(), "arrows[140001]: |EndX - StartX| + 1 = 4294967295 is outside the 32-bit range");
  ASSERT_EQ(d.ArrowCount(), failing);
  const int32_t start = (failing - 1) * 7 % Sentences;  // its first twin when it repeats one
  EXPECT_EQ(d.arrow(failing - 1).Sentence1, start >= 2000 ? start - 1000 : start);
}

}  // namespace
}  // namespace zorvex
