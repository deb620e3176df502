#include "views/ElementDataText.h"

#include <gtest/gtest.h>

namespace zorvex {
namespace {

TSentence box(int32_t left, int32_t top, int32_t right, int32_t bottom, std::string text, Status status) {
  TSentence s;
  s.Left = left;
  s.Top = top;
  s.Right = right;
  s.Bottom = bottom;
  s.Text = std::move(text);
  s.Status = status;
  return s;
}

TEST(ElementDataText, SentenceTextsShowBoxAndStatusWords) {
  Diagram d;
  d.addSentence(box(10, 20, 60, 35, "Het regent", NotEvaluated));
  d.addSentence(box(-5, 0, 40, 16, "B", SetByUser | Undefeated));
  d.addSentence(box(1, 2, 3, 4, "C", JustEvaluated | StatusFlipped | Defeated));

  EXPECT_EQ(SentenceDataText(d, 0),
            "Name: Sentence0\r\nText: Het regent\r\nLeft: 10; Top: 20; Right: 60; Bottom: 35\r\n"
            "Status: not evaluated ");
  EXPECT_EQ(SentenceDataText(d, 1),
            "Name: Sentence1\r\nText: B\r\nLeft: -5; Top: 0; Right: 40; Bottom: 16\r\n"
            "Status: justified (set by user) ");
  // The flip itself is not mentioned.
  EXPECT_EQ(SentenceDataText(d, 2),
            "Name: Sentence2\r\nText: C\r\nLeft: 1; Top: 2; Right: 3; Bottom: 4\r\n"
            "Status: unjustified (just evaluated) ");
  EXPECT_THROW(SentenceDataText(d, 3), std::out_of_range);
}

TEST(ElementDataText, ArrowTextShowsBothSidesOrNil) {
  Diagram d;
  d.addSentence(box(10, 20, 60, 35, "A", Undefeated));
  TArrow a;
  a.Sentence1 = NoSentence;
  a.Sentence2 = 0;
  a.StartX = -7;
  a.StartY = 8;
  a.EndX = 30;
  a.EndY = 19;
  a.Center1X = -20;
  a.Center1Y = 5;
  a.Center2X = 35;
  a.Center2Y = 27;
  a.Status = JustEvaluated | Undefeated;
  d.addArrow(a);
  a.Sentence1 = 0;
  a.Sentence2 = NoSentence;
  a.Status = Defeated;
  d.addArrow(a);

  EXPECT_EQ(ArrowDataText(d, 0),
            "Name: Arrow0\r\nSentence1: nil\r\n"
            "Sentence2\r\n  Text: A\r\n  Left: 10; Top: 20; Right: 60; Bottom: 35\r\n"
            "StartX: -7; StartY: 8; EndX: 30; EndY: 19\r\n"
            "Center1X: -20; Center1Y: 5; Center2X: 35; Center2Y: 27\r\n"
            "Status: supporting (just evaluated) ");
  EXPECT_EQ(ArrowDataText(d, 1),
            "Name: Arrow1\r\n"
            "Sentence1\r\n  Text: A\r\n  Left: 10; Top: 20; Right: 60; Bottom: 35\r\n"
            "Sentence2: nil\r\n"
            "StartX: -7; StartY: 8; EndX: 30; EndY: 19\r\n"
            "Center1X: -20; Center1Y: 5; Center2X: 35; Center2Y: 27\r\n"
            "Status: not supporting ");
}

TEST(ElementDataText, DefeaterTextEndsAfterCenter2Y) {
  Diagram d;
  TDefeater f;
  f.ChallengingRect = {100, 100, 150, 130};
  f.ChallengedRect = {300, 80, 360, 120};
  f.StartX = 150;
  f.StartY = 113;
  f.EndX = 300;
  f.EndY = 102;
  f.Center1X = 125;
  f.Center1Y = 115;
  f.Center2X = 330;
  f.Center2Y = -100;
  f.DefeaterState = DefeaterState::Active;
  d.addDefeater(f);
  EXPECT_EQ(DefeaterDataText(d, 0),
            "Name: Defeater0\r\n"
            "ChallengingRect\r\n  Left: 100; Top: 100; Right: 150; Bottom: 130\r\n"
            "ChallengedRect\r\n  Left: 300; Top: 80; Right: 360; Bottom: 120\r\n"
            "StartX: 150; StartY: 113; EndX: 300; EndY: 102\r\n"
            "Center1X: 125; Center1Y: 115; Center2X: 330; Center2Y: -100");
}

}  // namespace
}  // namespace zorvex
