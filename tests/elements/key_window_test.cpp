// The key window: its controls, its sixteen samples and how they look.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "PaintTestSupport.h"
#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"
#include "elements/ui/SentenceFont.h"
#include "model/Diagram.h"

namespace zorvex {
namespace {

using test::rgb;

TEST(KeyWindow, FrameAndControls) {
  TKeyToSymbolsAndColorsForm key;
  EXPECT_EQ(key.windowTitle(), "Key to symbols and colors");
  EXPECT_EQ(key.size(), QSize(547, 359));
  EXPECT_EQ(key.minimumSize(), key.maximumSize());
  EXPECT_EQ(key.pos(), QPoint(371, 189));
  EXPECT_TRUE(key.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(key.CloseButton->text(), "&Close");
  EXPECT_EQ(key.CloseButton->geometry(), QRect(479, 320, 57, 33));
  EXPECT_EQ(key.StayOnTopCheckBox->text(), "Key &stays on top");
  // At its place, at least as wide as planned and wide enough for its caption.
  const QRect box = key.StayOnTopCheckBox->geometry();
  EXPECT_EQ(box.topLeft(), QPoint(8, 328));
  EXPECT_EQ(box.height(), 17);
  EXPECT_GE(box.width(), 105);
  EXPECT_GE(box.width(), key.StayOnTopCheckBox->sizeHint().width());
  EXPECT_TRUE(key.StayOnTopCheckBox->isChecked());
  EXPECT_EQ(key.CloseButton->nextInFocusChain(), key.StayOnTopCheckBox);

  key.showKey();
  EXPECT_TRUE(key.isVisible());
  key.StayOnTopCheckBox->click();
  EXPECT_FALSE(key.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(key.isVisible());
  key.StayOnTopCheckBox->click();
  EXPECT_TRUE(key.windowFlags() & Qt::WindowStaysOnTopHint);
  key.CloseButton->click();
  EXPECT_FALSE(key.isVisible());
}

TEST(KeyWindow, SamplesNamesPlacesStatusesAndLabels) {
  Diagram diagram;
  TKeyToSymbolsAndColorsForm key;
  const QSize abc = measureText(sentenceFont(), QStringLiteral("Abc"));
  const auto& s = key.sentenceSamples();
  ASSERT_EQ(s.size(), 8u);
  const std::pair<const char*, Status> sentences[] = {
      {"NotEvaluatedSentence", 0x04}, {"UndefeatedSentence", 0x02},          {"DefeatedSentence", 0x01},
      {"JustEvaluatedSentence", 0x08}, {"SelectedSentence", 0x04},           {"SetByUserUndefeatedSentence", 0x22},
      {"SetByUserDefeatedSentence", 0x21}, {"StatusFlippedSentence", 0x19}};
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(s[i].name, sentences[i].first);
    EXPECT_EQ(s[i].element.Status, sentences[i].second);
    EXPECT_EQ(s[i].element.Selected, i == 4);
    EXPECT_EQ(s[i].element.Left, 8);
    EXPECT_EQ(s[i].element.Top, int32_t(32 + 32 * i));
    EXPECT_EQ(s[i].element.Width, abc.width() + 7);
    EXPECT_EQ(s[i].element.Height, abc.height() + 7);
    EXPECT_EQ(s[i].label->pos(), QPoint(48, int(35 + 32 * i)));
  }
  EXPECT_EQ(s[3].label->text(), "Newly evaluated (here: justified)");
  EXPECT_EQ(s[7].label->text(), "Status flipped (here: unjustified)");

  const auto& a = key.arrowSamples();
  ASSERT_EQ(a.size(), 4u);
  EXPECT_EQ(a[2].name, "Defeatedarrow");
  EXPECT_EQ(a[2].element.Status, Defeated);
  EXPECT_TRUE(a[3].element.Selected);
  EXPECT_EQ(a[1].element.StartX, 238);
  EXPECT_EQ(a[1].element.EndX, 273);
  EXPECT_EQ(a[1].element.EndY, 64 + 21);
  EXPECT_EQ(a[1].label->text(), "Supporting");
  EXPECT_EQ(a[1].label->pos(), QPoint(286, 67));

  const auto& d = key.defeaterSamples();
  ASSERT_EQ(d.size(), 4u);
  EXPECT_EQ(d[0].name, "ActiveNorInactiveDefeater");
  EXPECT_EQ(d[2].element.DefeaterState, DefeaterState::Inactive);
  EXPECT_TRUE(d[3].element.Selected);
  EXPECT_EQ(d[1].element.EndX, 418);
  EXPECT_EQ(d[1].element.EndY, 64 + 14);
  EXPECT_EQ(d[0].label->text(), "Active nor inactive");
  EXPECT_EQ(d[0].label->pos(), QPoint(452, 35));

  // The samples are the window's own: the diagram sees none of them.
  EXPECT_EQ(diagram.SentenceCount() + diagram.ArrowCount() + diagram.DefeaterCount(), 0);
}

TEST(KeyWindow, SamplesArePaintedAsInTheDiagram) {
  TKeyToSymbolsAndColorsForm key;
  const QImage img = key.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const TSentence& flipped = key.sentenceSamples()[7].element;  // green frame, lime fill, crossed
  EXPECT_EQ(rgb(img, 8, 256), 0x22B91Eu);
  EXPECT_EQ(rgb(img, 8 + flipped.Width - 2, 256 + flipped.Height / 2), 0x00FF00u);
  EXPECT_EQ(rgb(img, 9, 257), 0x22B91Eu);  // the cross leaves the top left corner
  EXPECT_EQ(rgb(img, 238, 32), 0x808080u);   // the not evaluated arrow's start
  EXPECT_EQ(rgb(img, 238, 128), 0xFFFF00u);  // the selected arrow
  EXPECT_EQ(rgb(img, 418, 78), 0xFF0000u);   // the active defeater's diamond
  EXPECT_EQ(rgb(img, 378, 96), 0xFF8080u);   // the inactive one's rectangle
  EXPECT_EQ(rgb(img, 100, 312), 0x808080u);  // separator
  EXPECT_EQ(rgb(img, 100, 313), 0xFFFFFFu);
  EXPECT_EQ(rgb(img, 200, 300), test::Background);
}

}  // namespace
}  // namespace zorvex
