// Creation of the main window's frame and controls, with their names,
// captions, places and initial states, each tied to its handler as it is
// made. The menus are made in ArgumentFormMenus.cpp and ArgumentFormView.cpp.
#include "app/ui/ArgumentFormControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeySequence>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/SurfaceViewport.h"
#include "app/ui/ToolButtonPictures.h"
#include "editor/ArgumentEditor.h"
#include "views/ui/MessageBoxes.h"
#include "views/ui/TableViews.h"

namespace zorvex {
namespace {

// The lowered bevel line in the colours the drawing surface paints it in over
// its own width, so that the line runs on unchanged above the tool panel.
class BevelLine : public QFrame {
 public:
  using QFrame::QFrame;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(QRect(0, 0, width(), 1), QColor(0x80, 0x80, 0x80));
    p.fillRect(QRect(0, 1, width(), height() - 1), QColor(0xFF, 0xFF, 0xFF));
  }
};

template <typename W>
W* named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  auto* b = named(new QPushButton(QString::fromUtf8(caption), parent), name);
  b->setGeometry(geometry);
  b->setAutoDefault(false);
  return b;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  auto* c = named(new QCheckBox(QString::fromUtf8(caption), parent), name);
  c->setGeometry(geometry);
  c->setChecked(false);
  return c;
}

QToolButton* toolButton(QWidget* parent, const char* name, const char* hint, ToolPicture picture, int top) {
  auto* b = named(new QToolButton(parent), name);
  b->setGeometry(7, top, 20, 20);
  b->setCheckable(true);
  b->setToolTip(QString::fromUtf8(hint));
  b->setIcon(toolButtonIcon(picture));
  b->setIconSize(QSize(16, 16));
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

void TArgumentForm::createControls() {
  ArgumentFormControls& c = *controls_;
  c.ClientArea = named(new QWidget(this), "ClientArea");
  setCentralWidget(c.ClientArea);
  c.ClientArea->installEventFilter(this);

  c.ArgumentPaintBox = named(new QWidget(c.ClientArea), "ArgumentPaintBox");
  c.SeparationBevel = named(new BevelLine(c.ClientArea), "SeparationBevel");
  c.SeparationBevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  c.SeparationBevel->setLineWidth(1);

  createEditButtons();
  createEvaluationControls();
  c.ArgumentFormStatusBar = new TArgumentFormStatusBar(c.ClientArea);
  // The canvas covers the bevel and the surface placeholders and draws both.
  canvas_ = std::make_unique<SurfaceCanvas>(c.ClientArea, &diagram_);
  canvas_->widget()->raise();
  viewport_ = new SurfaceViewport(*c.ClientArea, *canvas_->widget(), diagram_);
  createHiddenControls();
  createMenus();
  createPopupMenus();
  showDeveloperControls();
}

void TArgumentForm::createEditButtons() {
  ArgumentFormControls& c = *controls_;
  c.EditButtonPanel = named(new QFrame(c.ClientArea), "EditButtonPanel");
  c.EditButtonPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  c.AddSentenceSpeedButton =
      toolButton(c.EditButtonPanel, "AddSentenceSpeedButton", "Add Sentence", ToolPicture::AddSentence, 7);
  c.AddArrowSpeedButton = toolButton(c.EditButtonPanel, "AddArrowSpeedButton", "Add Arrow", ToolPicture::AddArrow, 27);
  c.AddDefeaterSpeedButton =
      toolButton(c.EditButtonPanel, "AddDefeaterSpeedButton", "Add Defeater", ToolPicture::AddDefeater, 47);
  c.MakeSelectionSpeedButton =
      toolButton(c.EditButtonPanel, "MakeSelectionSpeedButton", "Make a Selection", ToolPicture::MakeSelection, 74);
  // One group in which all may be up: the handlers decide which one is down,
  // so the group itself does not enforce exclusivity.
  c.ToolButtonGroup = named(new QButtonGroup(this), "ToolButtonGroup");
  c.ToolButtonGroup->setExclusive(false);
  for (QToolButton* b :
       {c.AddSentenceSpeedButton, c.AddArrowSpeedButton, c.AddDefeaterSpeedButton, c.MakeSelectionSpeedButton})
    c.ToolButtonGroup->addButton(b);
  connect(c.AddSentenceSpeedButton, &QToolButton::clicked, this, [this] { AddSentenceSpeedButtonClick(); });
  connect(c.AddArrowSpeedButton, &QToolButton::clicked, this, [this] { AddArrowSpeedButtonClick(); });
  connect(c.AddDefeaterSpeedButton, &QToolButton::clicked, this, [this] { AddDefeaterSpeedButtonClick(); });
  connect(c.MakeSelectionSpeedButton, &QToolButton::clicked, this, [this] { MakeSelectionSpeedButtonClick(); });
}

void TArgumentForm::createEvaluationControls() {
  ArgumentFormControls& c = *controls_;
  c.EvaluationButtonPanel = named(new QFrame(c.ClientArea), "EvaluationButtonPanel");
  c.EvaluationButtonPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  QWidget* p = c.EvaluationButtonPanel;
  c.EvaluateOneRoundButton = button(p, "EvaluateOneRoundButton", "&Evaluate (one round)", QRect(10, 10, 115, 24));
  c.JumpOneRoundButton = button(p, "JumpOneRoundButton", "&Jump (one round)", QRect(135, 10, 95, 24));
  c.ResetButton = button(p, "ResetButton", "&Reset", QRect(240, 10, 50, 24));
  c.ViewLogMemoCheckBox = checkBox(p, "ViewLogMemoCheckBox", "&View Logs", QRect(300, 12, 110, 20));
  c.ImplicitMeaningButton = button(p, "ImplicitMeaningButton", "Implicit &meaning", QRect(536, 10, 113, 24));
  c.ImplicitMeaningButton->hide();
  connect(c.EvaluateOneRoundButton, &QPushButton::clicked, this, [this] { EvaluateOneRoundButtonClick(); });
  connect(c.JumpOneRoundButton, &QPushButton::clicked, this, [this] { JumpOneRoundButtonClick(); });
  connect(c.ResetButton, &QPushButton::clicked, this, [this] { ResetButtonClick(); });
  connect(c.ViewLogMemoCheckBox, &QCheckBox::clicked, this, [this] { ViewLogMemoCheckBoxClick(); });
  connect(c.ImplicitMeaningButton, &QPushButton::clicked, this, [this] { ImplicitMeaningButtonClick(); });
}

void TArgumentForm::createHiddenControls() {
  ArgumentFormControls& c = *controls_;
  c.SentenceEdit = named(new QLineEdit(QStringLiteral("<Sentence>"), c.ClientArea), "SentenceEdit");
  c.SentenceEdit->setGeometry(429, 240, 161, 21);
  c.SentenceEdit->hide();
  connect(c.SentenceEdit, &QLineEdit::textEdited, this,
          [this](const QString& text) { editor_->SentenceEditTextChanged(text.toStdString()); });
  connect(c.SentenceEdit, &QLineEdit::returnPressed, this, [this] { SentenceEditKeyPress(EnterKey); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), c.SentenceEdit, nullptr, nullptr, Qt::WidgetShortcut);
  connect(escape, &QShortcut::activated, this, [this] { SentenceEditKeyPress(EscapeKey); });

  // The table views bring their own panel of check boxes, grids and bars,
  // and tie their check boxes to their own handlers.
  tableViews_ = std::make_unique<TTableViews>(*c.ClientArea, messageBoxes(), directory_);
  c.ViewCheckBoxesPanel = tableViews_->ViewCheckBoxesPanel;
  c.ViewSentencesTableCheckBox = tableViews_->ViewSentencesTableCheckBox;
  c.ViewArrowsTableCheckBox = tableViews_->ViewArrowsTableCheckBox;
  c.ViewDefeatersTableCheckBox = tableViews_->ViewDefeatersTableCheckBox;
}

// Developers (ZORVEX_DEVELOPER=1) see the commands the program keeps hidden.
void TArgumentForm::showDeveloperControls() {
  if (!developerViewsEnabled()) return;
  controls_->ViewCheckBoxesPanel->show();
  controls_->ImplicitMeaningButton->show();
  controls_->AddRuleMenuItem->setVisible(true);
  controls_->AddRuleSeparator->setVisible(true);
}

}  // namespace zorvex
