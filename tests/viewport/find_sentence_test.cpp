// Finding sentences by a part of their text: order, wrap-around, deleted
// sentences, letter case in several scripts, damaged UTF-8.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "viewport/FindSentence.h"

namespace zorvex {
namespace {

Diagram withTexts(std::initializer_list<std::string> texts) {
  Diagram d;
  int32_t top = 0;
  for (const std::string& t : texts) {
    TSentence s;
    s.Top = top;
    s.Width = s.Height = 20;
    s.Right = 20;
    s.Bottom = top + 20;
    s.Text = t;
    d.addSentence(std::move(s));
    top += 30;
  }
  return d;
}

// Whether a diagram of this one text finds it.
bool finds(const std::string& text, const std::string& part) {
  return findSentence(withTexts({text}), part).has_value();
}

TEST(FindSentenceTest, NumberOrderAndWrapAroundThroughEveryMatch) {
  const Diagram d = withTexts({"apple pie", "Banana", "apple tart", "cherry", "APPLE"});
  EXPECT_EQ(findSentence(d, "apple"), 0);
  EXPECT_EQ(findSentence(d, "apple", 0), 2);
  EXPECT_EQ(findSentence(d, "apple", 2), 4);
  EXPECT_EQ(findSentence(d, "apple", 4), 0);  // round again
  EXPECT_EQ(findSentence(d, "apple", 1), 2);
  // The only match is found again from itself.
  EXPECT_EQ(findSentence(d, "cherry", 3), 3);
  EXPECT_EQ(findSentence(d, "anana", 3), 1);
  // Starting points outside the numbers: from the start.
  EXPECT_EQ(findSentence(d, "apple", -7), 0);
  EXPECT_EQ(findSentence(d, "apple", 5), 0);
  EXPECT_EQ(findSentence(d, "apple", INT32_MAX), 0);
  EXPECT_EQ(findSentence(d, "apple", INT32_MIN), 0);
  EXPECT_EQ(findSentence(d, "plum"), std::nullopt);
  EXPECT_EQ(findSentence(d, "plum", 2), std::nullopt);
  // A part longer than the text, and one that only begins at its end.
  EXPECT_EQ(findSentence(d, "apple pie!"), std::nullopt);
  EXPECT_EQ(findSentence(d, "rryx"), std::nullopt);
}

TEST(FindSentenceTest, DeletedSentencesAreNeverFound) {
  Diagram d = withTexts({"apple pie", "apple tart", "apple juice"});
  d.sentence(1).Deleted = true;
  EXPECT_EQ(findSentence(d, "apple", 0), 2);
  EXPECT_EQ(findSentence(d, "tart"), std::nullopt);
  EXPECT_EQ(findSentence(d, "tart", 1), std::nullopt);
  d.sentence(0).Deleted = d.sentence(2).Deleted = true;
  EXPECT_EQ(findSentence(d, "apple"), std::nullopt);
  EXPECT_EQ(findSentence(Diagram{}, "apple"), std::nullopt);
}

TEST(FindSentenceTest, EmptyTextFindsNothing) {
  const Diagram d = withTexts({"", "apple", "école"});
  EXPECT_EQ(findSentence(d, ""), std::nullopt);
  EXPECT_EQ(findSentence(d, "", 0), std::nullopt);
  EXPECT_EQ(findSentence(d, "a"), 1);  // an empty text holds nothing
}

TEST(FindSentenceTest, AsciiCaseIsIgnoredButOtherCharactersAreNot) {
  EXPECT_TRUE(finds("Birds FLY", "birds fly"));
  EXPECT_TRUE(finds("birds fly", "BIRDS FLY"));
  EXPECT_TRUE(finds("Tweety is a bird", "tWEETY iS"));
  // Characters 32 apart that are not letters stay different.
  EXPECT_FALSE(finds("a{b}", "A[B]"));
  EXPECT_FALSE(finds("x@y", "X`Y"));
  EXPECT_FALSE(finds("a^b", "a~b"));
}

TEST(FindSentenceTest, LetterCaseIsIgnoredInEveryScript) {
  EXPECT_TRUE(finds("l'école normale", "ÉCOLE"));
  EXPECT_TRUE(finds("L'ÉCOLE NORMALE", "école"));
  EXPECT_TRUE(finds("ÉCOLE", "cole"));  // a plain part in an accented text
  EXPECT_TRUE(finds("σοφια", "ΣΟΦΙΑ"));
  EXPECT_TRUE(finds("Η ΣΟΦΙΑ", "σοφια"));
  EXPECT_TRUE(finds("\u03BF\u03B4\u03BF\u03C2", "ΟΔΟΣ"));  // final sigma
  EXPECT_TRUE(finds("ΟΔΟΣ", "\u03BF\u03B4\u03BF\u03C2"));
  EXPECT_TRUE(finds("Москва", "МОСКВА"));
  EXPECT_TRUE(finds("STRASSE ẞ", "ß"));
  EXPECT_TRUE(finds("10 k", "10 \u212A"));  // Kelvin sign
  EXPECT_TRUE(finds("Reiſe", "REISE"));     // long s
  EXPECT_TRUE(finds("\U00010400\U00010401", "\U00010428\U00010429"));  // four-byte letters
  // Accents are not dropped: neither side matches the other's plain letter.
  EXPECT_FALSE(finds("école", "eco"));
  EXPECT_FALSE(finds("ecole", "ÉCO"));
  EXPECT_FALSE(finds("ecole", "éco"));
  EXPECT_FALSE(finds("σοφια", "ΣΟΦΟ"));
}

TEST(FindSentenceTest, DamagedUtf8MatchesByteForByte) {
  // A Latin-1 é, a cut sequence, an overlong '/', a surrogate, stray bytes.
  const Diagram d = withTexts({"caf\xE9 au lait", "abc\xE2\x82", "a\xC0\xAF" "b", "x\xED\xA0\x80y", "\xFF\xFE\xC3\xA9T\xC3"});
  EXPECT_EQ(findSentence(d, "CAF"), 0);
  EXPECT_EQ(findSentence(d, "AU LAIT"), 0);
  EXPECT_EQ(findSentence(d, "\xE9"), 0);
  EXPECT_EQ(findSentence(d, "\xC9"), std::nullopt);  // a stray byte has no case
  EXPECT_EQ(findSentence(d, "café"), std::nullopt);  // nor is it a character
  EXPECT_EQ(findSentence(d, "ABC"), 1);
  EXPECT_EQ(findSentence(d, "c\xE2\x82"), 1);
  EXPECT_EQ(findSentence(d, "\xE2\x82\xAC"), std::nullopt);  // the whole €
  EXPECT_EQ(findSentence(d, "a/b"), std::nullopt);
  EXPECT_EQ(findSentence(d, "\xC0\xAF"), 2);
  EXPECT_FALSE(finds("a\xE0\x80\xAF" "b", "a/b"));  // overlong in three bytes
  EXPECT_FALSE(finds("\xF0\x80\x80\xAF", "/"));    // and in four
  EXPECT_TRUE(finds("\xF4\x90\x80\x80", "\x90\x80"));  // past U+10FFFF: bytes alone
  EXPECT_EQ(findSentence(d, "X\xED\xA0\x80Y"), 3);
  EXPECT_EQ(findSentence(d, "\xA0\x80Y"), 3);  // a surrogate is no character: its bytes stand alone
  // After stray bytes, decoding picks up again: é and t meet É and T.
  EXPECT_EQ(findSentence(d, "ÉT"), 4);
  EXPECT_EQ(findSentence(d, "\xFF\xFE"), 4);
  EXPECT_EQ(findSentence(d, "t\xC3"), 4);
  EXPECT_EQ(findSentence(d, "\xFE\xFF"), std::nullopt);
}

}  // namespace
}  // namespace zorvex
