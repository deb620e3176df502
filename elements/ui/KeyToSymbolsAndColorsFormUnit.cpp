#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "edit/DerivedGeometry.h"
#include "elements/StatusPalette.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/ElementPainter.h"
#include "elements/ui/SentenceFont.h"
#include "views/ui/InterfaceFont.h"

namespace zorvex {
namespace {

struct SentenceRow {
  const char* name;
  int32_t top;
  Status status;
  bool selected;
  const char* label;
};

const SentenceRow SentenceRows[] = {
    {"NotEvaluatedSentence", 32, NotEvaluated, false, "Not evaluated"},
    {"UndefeatedSentence", 64, Undefeated, false, "Justified"},
    {"DefeatedSentence", 96, Defeated, false, "Unjustified"},
    {"JustEvaluatedSentence", 128, JustEvaluated, false, "Newly evaluated (here: justified)"},
    {"SelectedSentence", 160, NotEvaluated, true, "Selected (here: not evaluated)"},
    {"SetByUserUndefeatedSentence", 192, Undefeated | SetByUser, false, "Justified (set by user)"},
    {"SetByUserDefeatedSentence", 224, Defeated | SetByUser, false, "Unjustified (set by user)"},
    {"StatusFlippedSentence", 256, Defeated | JustEvaluated | StatusFlipped, false,
     "Status flipped (here: unjustified)"},
};

const SentenceRow ArrowRows[] = {
    {"Notevaluatedarrow", 32, NotEvaluated, false, "Not evaluated"},
    {"Undefeatedarrow", 64, Undefeated, false, "Supporting"},
    {"Defeatedarrow", 96, Defeated, false, "Not supporting"},
    {"SelectedArrow", 128, NotEvaluated, true, "Selected"},
};

struct DefeaterRow {
  const char* name;
  int32_t y;
  DefeaterState state;
  bool selected;
  const char* label;
};

const DefeaterRow DefeaterRows[] = {
    {"ActiveNorInactiveDefeater", 32, DefeaterState::ActiveNorInactive, false, "Active nor inactive"},
    {"ActiveDefeater", 64, DefeaterState::Active, false, "Active"},
    {"InactiveDefeater", 96, DefeaterState::Inactive, false, "Inactive"},
    {"SelectedDefeater", 128, DefeaterState::ActiveNorInactive, true, "Selected"},
};

constexpr int32_t SentenceLeft = 8, SentenceLabelLeft = 48;
constexpr int32_t ArrowLeft = 238, ArrowWidth = 35, ArrowHeight = 21, ArrowLabelLeft = 286;
constexpr int32_t DefeaterLabelLeft = 452;
constexpr int32_t PaletteLabelTop = 192;
// Labels sit 3 pixels below their sample's top, level with the sample's text.
constexpr int32_t LabelDrop = 3;

}  // namespace

TKeyToSymbolsAndColorsForm::TKeyToSymbolsAndColorsForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint) {
  FormCreate();
}

void TKeyToSymbolsAndColorsForm::FormCreate() {
  setObjectName(QStringLiteral("KeyToSymbolsAndColorsForm"));
  setWindowTitle(QStringLiteral("Key to symbols and colors"));
  setFixedSize(547, 359);
  move(371, 189);
  // Labels and controls in the interface font; the samples are drawn in the
  // diagram's own font, so that they look exactly as the diagram's elements.
  setFont(interfaceFont());
  QPalette pal = palette();
  pal.setColor(QPalette::Window, SurfaceColour);
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
  setAutoFillBackground(true);
  createControls();
  createSamples();
}

QLabel* TKeyToSymbolsAndColorsForm::addLabel(const QString& text, int left, int top, bool bold) {
  auto* label = new QLabel(text, this);
  if (bold) {
    QFont f = font();
    f.setBold(true);
    label->setFont(f);
  }
  label->setMargin(0);
  label->setIndent(0);
  label->setContentsMargins(0, 0, 0, 0);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->move(left, top);
  label->adjustSize();
  return label;
}

void TKeyToSymbolsAndColorsForm::createControls() {
  addLabel(QStringLiteral("Sentences"), 8, 8, true);
  addLabel(QStringLiteral("Arrows"), 238, 8, true);
  addLabel(QStringLiteral("Defeaters"), 378, 8, true);

  CloseButton = new QPushButton(QStringLiteral("&Close"), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  CloseButton->setGeometry(479, 320, 57, 33);
  StayOnTopCheckBox = new QCheckBox(QStringLiteral("Key &stays on top"), this);
  StayOnTopCheckBox->setObjectName(QStringLiteral("StayOnTopCheckBox"));
  StayOnTopCheckBox->setGeometry(8, 328, 105, 17);
  StayOnTopCheckBox->setChecked(true);
  setTabOrder(CloseButton, StayOnTopCheckBox);
  // Beside the samples only while the safe palette is in use.
  PaletteLabel = addLabel(QString::fromUtf8("Colour-blind safe colours. The mark in a sentence\n"
                                            "box tells its status: \u2713 justified,\n"
                                            "\u2717 unjustified, ? not evaluated."),
                          ArrowLeft, PaletteLabelTop);
  PaletteLabel->setObjectName(QStringLiteral("PaletteLabel"));
  PaletteLabel->setVisible(paletteInUse() == Palette::Safe);
  connect(CloseButton, &QPushButton::clicked, this, &TKeyToSymbolsAndColorsForm::CloseButtonClick);
  connect(StayOnTopCheckBox, &QCheckBox::clicked, this, &TKeyToSymbolsAndColorsForm::StayOnTopCheckBoxClick);
}

void TKeyToSymbolsAndColorsForm::createSamples() {
  const QSize abc = measureText(sentenceFont(), QStringLiteral("Abc"));
  for (const SentenceRow& row : SentenceRows) {
    KeySample<TSentence> s{row.name, {}, nullptr};
    s.element.Text = "Abc";
    placeAddedSentence(s.element, {SentenceLeft, row.top}, {abc.width(), abc.height()});
    s.element.Status = row.status;
    s.element.Selected = row.selected;
    s.element.Enabled = false;  // samples take no pointer input
    s.label = addLabel(QString::fromLatin1(row.label), SentenceLabelLeft, row.top + LabelDrop);
    sentences_.push_back(std::move(s));
  }
  for (const SentenceRow& row : ArrowRows) {
    KeySample<TArrow> a{row.name, {}, nullptr};
    a.element.Left = ArrowLeft;
    a.element.Top = row.top;
    a.element.Width = ArrowWidth;
    a.element.Height = ArrowHeight;
    a.element.StartX = ArrowLeft;
    a.element.StartY = row.top;
    a.element.EndX = ArrowLeft + ArrowWidth;
    a.element.EndY = row.top + ArrowHeight;
    a.element.Status = row.status;
    a.element.Selected = row.selected;
    a.label = addLabel(QString::fromLatin1(row.label), ArrowLabelLeft, row.top + LabelDrop);
    arrows_.push_back(std::move(a));
  }
  for (const DefeaterRow& row : DefeaterRows) {
    KeySample<TDefeater> d{row.name, {}, nullptr};
    d.element.ChallengingRect = {378, row.y, 402, row.y + 16};
    d.element.ChallengedRect = {418, row.y + 8, 442, row.y + 24};
    placeDefeater(d.element);
    d.element.DefeaterState = row.state;
    d.element.Selected = row.selected;
    d.label = addLabel(QString::fromLatin1(row.label), DefeaterLabelLeft, row.y + LabelDrop);
    defeaters_.push_back(std::move(d));
  }
}

void TKeyToSymbolsAndColorsForm::showKey() {
  show();
  raise();
  activateWindow();
}

void TKeyToSymbolsAndColorsForm::paletteChanged() {
  PaletteLabel->setVisible(paletteInUse() == Palette::Safe);
  update();
}

void TKeyToSymbolsAndColorsForm::CloseButtonClick() { close(); }

void TKeyToSymbolsAndColorsForm::StayOnTopCheckBoxClick() {
  const bool visible = isVisible();
  // Changing the flag re-creates the native window, which hides it.
  setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTopCheckBox->isChecked());
  if (visible) show();
  CloseButton->setFocus();
}

void TKeyToSymbolsAndColorsForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // A lowered separator line above the buttons.
  p.fillRect(QRect(7, 312, 530, 1), QColor(0x80, 0x80, 0x80));
  p.fillRect(QRect(7, 313, 530, 1), QColor(0xFF, 0xFF, 0xFF));
  const QRect all = rect();
  for (const auto& d : defeaters_) paintDefeater(p, d.element, all);
  for (const auto& s : sentences_) paintSentence(p, s.element, sentenceFont(), all);
  for (const auto& a : arrows_) paintArrow(p, a.element, all);
}

}  // namespace zorvex
