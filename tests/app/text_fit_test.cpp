// Every caption and text of every window fits the control it was laid out for,
// in the font the program really uses, and that font is the same everywhere.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QtMath>

#include "AppTestSupport.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"
#include "eval/ui/LogFormUnit.h"
#include "eval/ui/OptionsFormUnit.h"
#include "views/ui/AboutUnit.h"
#include "views/ui/HelpFormUnit.h"

namespace zorvex::testing {
namespace {

// The caption as drawn: "&&" is an ampersand, a single "&" only underlines.
QString shown(const QString& caption) {
  QString out;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

int textWidth(const QWidget* w, const QString& text) { return QFontMetrics(w->font()).horizontalAdvance(shown(text)); }

// A push button draws its caption inside its frame and keeps the style's
// button margin clear on both sides.
void expectCaptionFits(const QPushButton* b) {
  QStyleOptionButton opt;
  opt.initFrom(b);
  opt.text = b->text();
  const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
  const int margin = b->style()->pixelMetric(QStyle::PM_ButtonMargin, &opt, b);
  EXPECT_LE(textWidth(b, b->text()) + margin, contents.width())
      << b->objectName().toStdString() << " \"" << b->text().toStdString() << "\" in " << b->width();
  EXPECT_LE(QFontMetrics(b->font()).height(), contents.height()) << b->objectName().toStdString();
}

// A check box draws its caption right of the indicator and the label spacing.
void expectCaptionFits(const QCheckBox* c) {
  QStyleOptionButton opt;
  opt.initFrom(c);
  opt.text = c->text();
  const QRect contents = c->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, c);
  EXPECT_LE(textWidth(c, c->text()), contents.width())
      << c->objectName().toStdString() << " \"" << c->text().toStdString() << "\" in " << c->width();
  EXPECT_LE(c->sizeHint().width(), c->width()) << c->objectName().toStdString();
  EXPECT_LE(c->sizeHint().height(), c->height()) << c->objectName().toStdString();
}

// A label shows its whole text and ends before rightLimit (in its parent).
void expectLabelFits(const QLabel* l, int rightLimit) {
  const std::string what = "\"" + l->text().toStdString() + "\"";
  EXPECT_LE(textWidth(l, l->text()), l->contentsRect().width()) << what;
  EXPECT_LE(QFontMetrics(l->font()).height(), l->contentsRect().height()) << what;
  EXPECT_LE(l->geometry().right(), rightLimit - 1) << what << " ends at " << l->geometry().right();
}

std::string familyOf(const QWidget* w) { return QFontInfo(w->font()).family().toStdString(); }

QLabel* labelWithText(const QWidget& window, const QString& text) {
  for (QLabel* l : window.findChildren<QLabel*>())
    if (l->text() == text) return l;
  return nullptr;
}

TEST_F(AppTest, EveryWindowUsesTheOneInterfaceFont) {
  TArgumentForm& f = start();
  const QFontInfo used(control<QPushButton>(f, "EvaluateOneRoundButton")->font());
  // The stand-in must really be installed: a fallback font would be measured
  // here just as well and hide that every caption was laid out for another.
  ASSERT_EQ(used.family().toStdString(), "FreeSans") << "fonts-freefont-ttf is missing (scripts/install-deps.sh)";
  EXPECT_EQ(used.pixelSize(), 11);

  const QWidget* controls[] = {control<QPushButton>(f, "EvaluateOneRoundButton"),
                               control<QCheckBox>(f, "ViewLogMemoCheckBox"),
                               f.menuBar(),
                               control<QMenu>(f, "FileMenuItem"),
                               control<QMenu>(f, "HelpMenuItem"),
                               control<QMenu>(f, "SentencePopupMenu"),
                               control<QMenu>(f, "ArrowPopupMenu"),
                               control<QMenu>(f, "DefeaterPopupMenu"),
                               control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar"),
                               app_->OptionsForm().Rule3aLabel,
                               app_->OptionsForm().OKButton,
                               app_->KeyToSymbolsAndColorsForm().CloseButton,
                               app_->KeyToSymbolsAndColorsForm().StayOnTopCheckBox,
                               app_->KeyToSymbolsAndColorsForm().defeaterSamples()[0].label,
                               app_->LogForm().StayOnTopCheckBox,
                               app_->HelpForm().Button1,
                               app_->AboutForm().Memo1,
                               app_->AboutForm().Button1};
  for (const QWidget* w : controls) {
    EXPECT_EQ(familyOf(w), "FreeSans") << w->objectName().toStdString();
    EXPECT_EQ(QFontInfo(w->font()).pixelSize(), 11) << w->objectName().toStdString();
  }
  // The text views of the log and help windows keep their fixed-pitch font.
  EXPECT_NE(familyOf(app_->LogForm().LogMemo), "FreeSans");
  EXPECT_NE(familyOf(app_->HelpForm().HelpMemo), "FreeSans");
}

TEST_F(AppTest, MainWindowCaptionsFitTheirControls) {
  TArgumentForm& f = start();
  for (const QPushButton* b :
       {control<QPushButton>(f, "EvaluateOneRoundButton"), control<QPushButton>(f, "JumpOneRoundButton"),
        control<QPushButton>(f, "ResetButton"), control<QPushButton>(f, "ImplicitMeaningButton")})
    expectCaptionFits(b);
  expectCaptionFits(control<QCheckBox>(f, "ViewLogMemoCheckBox"));

  // The sentence edit box shows its first text whole, inside its frame and
  // the line edit's 2-pixel text margins.
  const QLineEdit& edit = *control<QLineEdit>(f, "SentenceEdit");
  EXPECT_EQ(edit.size(), QSize(161, 21));
  const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit);
  EXPECT_LE(textWidth(&edit, edit.text()), edit.width() - 2 * frame - 4) << edit.text().toStdString();
  EXPECT_LE(edit.minimumSizeHint().height(), edit.height());

  // Panel 0 holds a pointer position with four-digit coordinates; panel 1
  // the longest hint. Text is drawn 2 pixels in from each side of a panel.
  const TArgumentFormStatusBar& bar = *control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar");
  EXPECT_LE(textWidth(&bar, QStringLiteral("(1279,1023)")), bar.panelRect(0).width() - 4);
  EXPECT_LE(textWidth(&bar, QStringLiteral("The start and end of the arrow must be different.")),
            bar.panelRect(1).width() - 4);
  EXPECT_LE(QFontMetrics(bar.font()).height(), bar.panelRect(0).height() - 2);
}

TEST_F(AppTest, OptionsDialogTextsFitAndStayApart) {
  start();
  TOptionsForm& o = app_->OptionsForm();
  const int panelRight = o.OptionsPanel->contentsRect().right() + 1;
  // The two bold headings read as two words: a space's width at least between them.
  expectLabelFits(o.EvaluateLabel, o.JumpLabel->x() - QFontMetrics(o.EvaluateLabel->font()).horizontalAdvance(' '));
  expectLabelFits(o.JumpLabel, o.Rule1Label->x());
  for (const QLabel* rule : {o.Rule1Label, o.Rule2Label, o.Rule3aLabel, o.Rule3bLabel}) expectLabelFits(rule, panelRight);
  // The rule texts differ only in their last words.
  EXPECT_EQ(o.Rule3aLabel->text(), "If a sentence has no justified support, is not attacked, it is unevaluated");
  EXPECT_EQ(o.Rule3bLabel->text(), "If a sentence has no justified support, is not attacked, it is justified");
  for (const QCheckBox* box : o.OptionsPanel->findChildren<QCheckBox*>()) {
    QStyleOptionButton opt;
    opt.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box);
    EXPECT_TRUE(box->rect().contains(indicator)) << box->objectName().toStdString();
  }
  expectCaptionFits(o.OKButton);
  expectCaptionFits(o.CancelButton);
}

TEST_F(AppTest, KeyWindowLabelsEndBeforeTheNextColumn) {
  start();
  TKeyToSymbolsAndColorsForm& key = app_->KeyToSymbolsAndColorsForm();
  // Sentence labels end before the arrow samples (238), arrow labels before
  // the defeater samples (378), defeater labels inside the window.
  for (const auto& s : key.sentenceSamples()) expectLabelFits(s.label, 238);
  for (const auto& a : key.arrowSamples()) expectLabelFits(a.label, 378);
  for (const auto& d : key.defeaterSamples()) expectLabelFits(d.label, key.width());
  const std::pair<const char*, int> headings[] = {{"Sentences", 238}, {"Arrows", 378}, {"Defeaters", key.width()}};
  for (const auto& [text, limit] : headings) {
    const QLabel* heading = labelWithText(key, QString::fromLatin1(text));
    ASSERT_NE(heading, nullptr) << text;
    EXPECT_TRUE(heading->font().bold()) << text;
    expectLabelFits(heading, limit);
  }
  expectCaptionFits(key.CloseButton);
  EXPECT_EQ(key.StayOnTopCheckBox->geometry(), QRect(8, 328, 105, 17));
  expectCaptionFits(key.StayOnTopCheckBox);
}

TEST_F(AppTest, AboutTextShowsEveryLineWholeWithoutScrolling) {
  start();
  TAboutForm& about = app_->AboutForm();
  about.showAtStartup();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  const QPlainTextEdit& memo = *about.Memo1;
  EXPECT_EQ(memo.geometry(), QRect(0, 0, 388, 209));
  const QFontMetrics fm(memo.font());
  const int margin = qCeil(memo.document()->documentMargin());
  const QRect view = memo.viewport()->rect();
  const QStringList lines = aboutTextLines();
  ASSERT_EQ(memo.document()->blockCount(), 15);
  for (const QString& line : lines)
    EXPECT_LE(fm.horizontalAdvance(line), view.width() - 2 * margin) << line.toStdString();
  EXPECT_LE(int(lines.size()) * fm.lineSpacing(), view.height() - 2 * margin);
  // And as laid out: one visual line per text line, nothing to scroll.
  for (QTextBlock b = memo.document()->begin(); b.isValid(); b = b.next())
    EXPECT_EQ(b.layout()->lineCount(), 1) << b.text().toStdString();
  EXPECT_EQ(memo.verticalScrollBar()->maximum(), 0);
  EXPECT_FALSE(memo.verticalScrollBar()->isVisible());
  EXPECT_FALSE(memo.horizontalScrollBar()->isVisible());
  expectCaptionFits(about.Button1);
}

TEST_F(AppTest, LogAndHelpWindowCaptionsFit) {
  start();
  TLogForm& log = app_->LogForm();
  log.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&log));
  expectCaptionFits(log.StayOnTopCheckBox);
  EXPECT_EQ(log.StayOnTopCheckBox->pos(), QPoint(8, 8));
  EXPECT_LE(log.StayOnTopCheckBox->geometry().bottom(), log.BottomPanel->height() - 1);
  expectCaptionFits(app_->HelpForm().Button1);
}

}  // namespace
}  // namespace zorvex::testing
