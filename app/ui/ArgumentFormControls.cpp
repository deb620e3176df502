// Creation of the main window's controls and menus, with their names, captions,
// places and initial states.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/SurfaceViewport.h"
#include "app/ui/ViewCommands.h"
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

QAction* item(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(name);
  return a;
}

}  // namespace

void TArgumentForm::createControls() {
  ClientArea = named(new QWidget(this), "ClientArea");
  setCentralWidget(ClientArea);
  ClientArea->installEventFilter(this);

  ArgumentPaintBox = named(new QWidget(ClientArea), "ArgumentPaintBox");
  SeparationBevel = named(new BevelLine(ClientArea), "SeparationBevel");
  SeparationBevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  SeparationBevel->setLineWidth(1);

  createEditButtons();
  createEvaluationControls();
  ArgumentFormStatusBar = new TArgumentFormStatusBar(ClientArea);
  // The canvas covers the bevel and the surface placeholders and draws both.
  canvas_ = std::make_unique<SurfaceCanvas>(ClientArea, &diagram_);
  canvas_->widget()->raise();
  viewport_ = new SurfaceViewport(*ClientArea, *canvas_->widget(), diagram_);
  createHiddenControls();
  createMenus();
  createPopupMenus();
  showDeveloperControls();
}

void TArgumentForm::createEditButtons() {
  EditButtonPanel = named(new QFrame(ClientArea), "EditButtonPanel");
  EditButtonPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  AddSentenceSpeedButton =
      toolButton(EditButtonPanel, "AddSentenceSpeedButton", "Add Sentence", ToolPicture::AddSentence, 7);
  AddArrowSpeedButton = toolButton(EditButtonPanel, "AddArrowSpeedButton", "Add Arrow", ToolPicture::AddArrow, 27);
  AddDefeaterSpeedButton =
      toolButton(EditButtonPanel, "AddDefeaterSpeedButton", "Add Defeater", ToolPicture::AddDefeater, 47);
  MakeSelectionSpeedButton =
      toolButton(EditButtonPanel, "MakeSelectionSpeedButton", "Make a Selection", ToolPicture::MakeSelection, 74);
  // One group in which all may be up: the handlers decide which one is down,
  // so the group itself does not enforce exclusivity.
  ToolButtonGroup = named(new QButtonGroup(this), "ToolButtonGroup");
  ToolButtonGroup->setExclusive(false);
  for (QToolButton* b : {AddSentenceSpeedButton, AddArrowSpeedButton, AddDefeaterSpeedButton, MakeSelectionSpeedButton})
    ToolButtonGroup->addButton(b);
}

void TArgumentForm::createEvaluationControls() {
  EvaluationButtonPanel = named(new QFrame(ClientArea), "EvaluationButtonPanel");
  EvaluationButtonPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  QWidget* p = EvaluationButtonPanel;
  EvaluateOneRoundButton = button(p, "EvaluateOneRoundButton", "&Evaluate (one round)", QRect(10, 10, 115, 24));
  JumpOneRoundButton = button(p, "JumpOneRoundButton", "&Jump (one round)", QRect(135, 10, 95, 24));
  ResetButton = button(p, "ResetButton", "&Reset", QRect(240, 10, 50, 24));
  ViewLogMemoCheckBox = checkBox(p, "ViewLogMemoCheckBox", "&View Logs", QRect(300, 12, 110, 20));
  ImplicitMeaningButton = button(p, "ImplicitMeaningButton", "Implicit &meaning", QRect(536, 10, 113, 24));
  ImplicitMeaningButton->hide();
}

void TArgumentForm::createHiddenControls() {
  SentenceEdit = named(new QLineEdit(QStringLiteral("<Sentence>"), ClientArea), "SentenceEdit");
  SentenceEdit->setGeometry(429, 240, 161, 21);
  SentenceEdit->hide();

  // The table views bring their own panel of check boxes, grids and bars.
  tableViews_ = std::make_unique<TTableViews>(*ClientArea, messageBoxes(), directory_);
  ViewCheckBoxesPanel = tableViews_->ViewCheckBoxesPanel;
  ViewSentencesTableCheckBox = tableViews_->ViewSentencesTableCheckBox;
  ViewArrowsTableCheckBox = tableViews_->ViewArrowsTableCheckBox;
  ViewDefeatersTableCheckBox = tableViews_->ViewDefeatersTableCheckBox;
}

// Developers (ZORVEX_DEVELOPER=1) see the commands the program keeps hidden.
void TArgumentForm::showDeveloperControls() {
  if (!developerViewsEnabled()) return;
  ViewCheckBoxesPanel->show();
  ImplicitMeaningButton->show();
  AddRuleMenuItem->setVisible(true);
  AddRuleSeparator->setVisible(true);
}

void TArgumentForm::createMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu");
  FileMenuItem = named(bar->addMenu(QStringLiteral("&File")), "FileMenuItem");
  OpenMenuItem = item(FileMenuItem, "OpenMenuItem", "&Open...");
  OpenMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  SaveMenuItem = item(FileMenuItem, "SaveMenuItem", "&Save");
  SaveMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  SaveAsMenuItem = item(FileMenuItem, "SaveAsMenuItem", "Save &As...");
  SaveAsMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  ExportPictureMenuItem = item(FileMenuItem, "ExportPictureMenuItem", "&Export Picture...");
  ExportPictureMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
  FileMenuItem->addSeparator()->setObjectName("FileSeparator");
  ExitMenuItem = item(FileMenuItem, "ExitMenuItem", "E&xit");
  // "&Edit" would take the Alt+E of "&Evaluate (one round)".
  EditMenuItem = named(bar->addMenu(QStringLiteral("E&dit")), "EditMenuItem");
  UndoMenuItem = item(EditMenuItem, "UndoMenuItem", "&Undo");
  UndoMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  RedoMenuItem = item(EditMenuItem, "RedoMenuItem", "&Redo");
  RedoMenuItem->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  createViewMenu();
  ZorvexMenuItem = named(bar->addMenu(QStringLiteral("&Zorvex")), "ZorvexMenuItem");
  OptionsMenuItem = item(ZorvexMenuItem, "OptionsMenuItem", "&Options");
  HelpMenuItem = named(bar->addMenu(QStringLiteral("&Help")), "HelpMenuItem");
  ContentsMenuItem = item(HelpMenuItem, "ContentsMenuItem", "&Contents");
  KeyToSymbolsAndColorsMenuItem = item(HelpMenuItem, "KeyToSymbolsAndColorsMenuItem", "&Key to symbols and colors");
  HelpMenuItem->addSeparator()->setObjectName("HelpSeparator");
  AboutMenuItem = item(HelpMenuItem, "AboutMenuItem", "&About...");
}

void TArgumentForm::createPopupMenus() {
  SentencePopupMenu = named(new QMenu(this), "SentencePopupMenu");
  SetStatusUndefeatedMenuItem = item(SentencePopupMenu, "SetStatusUndefeatedMenuItem", "Set Status: &Justified");
  SetStatusDefeatedMenuItem = item(SentencePopupMenu, "SetStatusDefeatedMenuItem", "Set Status: &Unjustified");
  SetStatusNotEvaluatedMenuItem =
      item(SentencePopupMenu, "SetStatusNotEvaluatedMenuItem", "Set Status: &Not Evaluated");
  SentencePopupMenu->addSeparator()->setObjectName("SentencePopupSeparator");
  ShowSentenceDataMenuItem = item(SentencePopupMenu, "ShowSentenceDataMenuItem", "&Show Sentence Data");

  ArrowPopupMenu = named(new QMenu(this), "ArrowPopupMenu");
  AddRuleMenuItem = item(ArrowPopupMenu, "AddRuleMenuItem", "Make &rule explicit");
  AddRuleMenuItem->setVisible(false);
  AddRuleSeparator = ArrowPopupMenu->addSeparator();
  AddRuleSeparator->setObjectName("AddRuleSeparator");
  AddRuleSeparator->setVisible(false);
  ShowArrowDataMenuItem = item(ArrowPopupMenu, "ShowArrowDataMenuItem", "&Show Arrow &Data");

  DefeaterPopupMenu = named(new QMenu(this), "DefeaterPopupMenu");
  ShowDefeaterDataMenuItem = item(DefeaterPopupMenu, "ShowDefeaterDataMenuItem", "&Show Defeater Data");
}

void TArgumentForm::connectHandlers() {
  connect(OpenMenuItem, &QAction::triggered, this, [this] { fileCommands_->OpenMenuItemClick(); });
  connect(SaveMenuItem, &QAction::triggered, this, [this] { fileCommands_->SaveMenuItemClick(); });
  connect(SaveAsMenuItem, &QAction::triggered, this, [this] { fileCommands_->SaveAsMenuItemClick(); });
  connect(ExportPictureMenuItem, &QAction::triggered, this, [this] { ExportPictureMenuItemClick(); });
  connect(ExitMenuItem, &QAction::triggered, this, [this] { ExitMenuItemClick(); });
  connect(UndoMenuItem, &QAction::triggered, this, [this] { UndoMenuItemClick(); });
  connect(RedoMenuItem, &QAction::triggered, this, [this] { RedoMenuItemClick(); });
  connect(ZoomInMenuItem, &QAction::triggered, this, [this] { viewCommands_->ZoomInMenuItemClick(); });
  connect(ZoomOutMenuItem, &QAction::triggered, this, [this] { viewCommands_->ZoomOutMenuItemClick(); });
  connect(ActualSizeMenuItem, &QAction::triggered, this, [this] { viewCommands_->ActualSizeMenuItemClick(); });
  connect(FitDiagramMenuItem, &QAction::triggered, this, [this] { viewCommands_->FitDiagramMenuItemClick(); });
  connect(FindSentenceMenuItem, &QAction::triggered, this, [this] { viewCommands_->FindSentenceMenuItemClick(); });
  connect(FindNextMenuItem, &QAction::triggered, this, [this] { viewCommands_->FindNextMenuItemClick(); });
  connect(OptionsMenuItem, &QAction::triggered, this, [this] { OptionsMenuItemClick(); });
  connect(ContentsMenuItem, &QAction::triggered, this, [this] { ContentsMenuItemClick(); });
  connect(KeyToSymbolsAndColorsMenuItem, &QAction::triggered, this, [this] { KeyToSymbolsAndColorsMenuItemClick(); });
  connect(AboutMenuItem, &QAction::triggered, this, [this] { AboutMenuItemClick(); });
  connect(ViewLogMemoCheckBox, &QCheckBox::clicked, this, [this] { ViewLogMemoCheckBoxClick(); });
  connect(EvaluateOneRoundButton, &QPushButton::clicked, this, [this] { EvaluateOneRoundButtonClick(); });
  connect(JumpOneRoundButton, &QPushButton::clicked, this, [this] { JumpOneRoundButtonClick(); });
  connect(ResetButton, &QPushButton::clicked, this, [this] { ResetButtonClick(); });
  connect(ImplicitMeaningButton, &QPushButton::clicked, this, [this] { ImplicitMeaningButtonClick(); });
  connect(AddSentenceSpeedButton, &QToolButton::clicked, this, [this] { AddSentenceSpeedButtonClick(); });
  connect(AddArrowSpeedButton, &QToolButton::clicked, this, [this] { AddArrowSpeedButtonClick(); });
  connect(AddDefeaterSpeedButton, &QToolButton::clicked, this, [this] { AddDefeaterSpeedButtonClick(); });
  connect(MakeSelectionSpeedButton, &QToolButton::clicked, this, [this] { MakeSelectionSpeedButtonClick(); });
  connect(SetStatusUndefeatedMenuItem, &QAction::triggered, this, [this] { SetStatusUndefeatedMenuItemClick(); });
  connect(SetStatusDefeatedMenuItem, &QAction::triggered, this, [this] { SetStatusDefeatedMenuItemClick(); });
  connect(SetStatusNotEvaluatedMenuItem, &QAction::triggered, this, [this] { SetStatusNotEvaluatedMenuItemClick(); });
  connect(ShowSentenceDataMenuItem, &QAction::triggered, this, [this] { ShowSentenceDataMenuItemClick(); });
  connect(AddRuleMenuItem, &QAction::triggered, this, [this] { AddRuleMenuItemClick(); });
  connect(ShowArrowDataMenuItem, &QAction::triggered, this, [this] { ShowArrowDataMenuItemClick(); });
  connect(ShowDefeaterDataMenuItem, &QAction::triggered, this, [this] { ShowDefeaterDataMenuItemClick(); });
  connect(SentenceEdit, &QLineEdit::textEdited, this,
          [this](const QString& text) { editor_->SentenceEditTextChanged(text.toStdString()); });
  connect(SentenceEdit, &QLineEdit::returnPressed, this, [this] { SentenceEditKeyPress(EnterKey); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), SentenceEdit, nullptr, nullptr, Qt::WidgetShortcut);
  connect(escape, &QShortcut::activated, this, [this] { SentenceEditKeyPress(EscapeKey); });
}

}  // namespace zorvex
