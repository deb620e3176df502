#pragma once
// The main window's controls, named as people know them; each name is also
// the control's objectName, by which the tests find it. Only the main
// window's own files and its host see this.

class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

namespace zorvex {

class TArgumentFormStatusBar;

struct ArgumentFormControls {
  QWidget* ClientArea = nullptr;
  QFrame* SeparationBevel = nullptr;
  QWidget* ArgumentPaintBox = nullptr;
  QFrame* EditButtonPanel = nullptr;
  QToolButton* AddSentenceSpeedButton = nullptr;
  QToolButton* AddArrowSpeedButton = nullptr;
  QToolButton* AddDefeaterSpeedButton = nullptr;
  QToolButton* MakeSelectionSpeedButton = nullptr;
  QButtonGroup* ToolButtonGroup = nullptr;
  QFrame* EvaluationButtonPanel = nullptr;
  QPushButton* EvaluateOneRoundButton = nullptr;
  QPushButton* JumpOneRoundButton = nullptr;
  QPushButton* ResetButton = nullptr;
  QCheckBox* ViewLogMemoCheckBox = nullptr;
  QPushButton* ImplicitMeaningButton = nullptr;
  TArgumentFormStatusBar* ArgumentFormStatusBar = nullptr;
  QLineEdit* SentenceEdit = nullptr;
  QFrame* ViewCheckBoxesPanel = nullptr;
  QCheckBox* ViewSentencesTableCheckBox = nullptr;
  QCheckBox* ViewArrowsTableCheckBox = nullptr;
  QCheckBox* ViewDefeatersTableCheckBox = nullptr;

  QMenu* FileMenuItem = nullptr;
  QAction* NewMenuItem = nullptr;
  QAction* OpenMenuItem = nullptr;
  QAction* OpenRecoveredMenuItem = nullptr;  // made when a recovered diagram is available
  QAction* SaveMenuItem = nullptr;
  QAction* SaveAsMenuItem = nullptr;
  QAction* ExportPictureMenuItem = nullptr;
  QAction* PrintMenuItem = nullptr;
  QAction* PrintPreviewMenuItem = nullptr;
  QAction* ExitMenuItem = nullptr;
  QMenu* EditMenuItem = nullptr;
  QAction* UndoMenuItem = nullptr;
  QAction* RedoMenuItem = nullptr;
  QMenu* ViewMenuItem = nullptr;
  QAction* ZoomInMenuItem = nullptr;
  QAction* ZoomOutMenuItem = nullptr;
  QAction* ActualSizeMenuItem = nullptr;
  QAction* FitDiagramMenuItem = nullptr;
  QAction* FindSentenceMenuItem = nullptr;
  QAction* FindNextMenuItem = nullptr;
  QAction* ArrangeDiagramMenuItem = nullptr;
  QAction* ArrangeSelectionMenuItem = nullptr;
  QMenu* ZorvexMenuItem = nullptr;
  QAction* OptionsMenuItem = nullptr;
  QAction* EvaluateUntilStableMenuItem = nullptr;
  QMenu* HelpMenuItem = nullptr;
  QAction* ContentsMenuItem = nullptr;
  QAction* KeyToSymbolsAndColorsMenuItem = nullptr;
  QAction* AboutMenuItem = nullptr;

  QMenu* SentencePopupMenu = nullptr;
  QAction* SetStatusUndefeatedMenuItem = nullptr;
  QAction* SetStatusDefeatedMenuItem = nullptr;
  QAction* SetStatusNotEvaluatedMenuItem = nullptr;
  QAction* ShowSentenceDataMenuItem = nullptr;
  QAction* SentenceWhyMenuItem = nullptr;
  QMenu* ArrowPopupMenu = nullptr;
  QAction* AddRuleMenuItem = nullptr;
  QAction* AddRuleSeparator = nullptr;
  QAction* ShowArrowDataMenuItem = nullptr;
  QAction* ArrowWhyMenuItem = nullptr;
  QMenu* DefeaterPopupMenu = nullptr;
  QAction* ShowDefeaterDataMenuItem = nullptr;
  QAction* DefeaterWhyMenuItem = nullptr;
};

}  // namespace zorvex
