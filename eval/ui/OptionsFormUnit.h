#pragma once
// The modal options dialog: which sentence rules evaluation rounds and jump
// rounds apply.
#include <QDialog>

#include "eval/EvaluationOptions.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace zorvex {

class TOptionsForm : public QDialog {
  Q_OBJECT

 public:
  explicit TOptionsForm(QWidget* parent = nullptr);

  // The flags the dialog shows and, on OK, writes; not owned.
  void setOptions(EvaluationOptions* options) { Options = options; }

  void FormShow();
  void OptionsFormCheckBoxClick(QCheckBox* sender);
  void OKButtonClick();
  void CancelButtonClick();

  QFrame* OptionsPanel;
  QLabel* EvaluateLabel;
  QLabel* JumpLabel;
  QCheckBox* EvaluationOption1CheckBox;
  QCheckBox* EvaluationOption2CheckBox;
  QCheckBox* EvaluationOption3aCheckBox;
  QCheckBox* EvaluationOption3bCheckBox;
  QCheckBox* JumpingOption1CheckBox;
  QCheckBox* JumpingOption2CheckBox;
  QCheckBox* JumpingOption3aCheckBox;
  QCheckBox* JumpingOption3bCheckBox;
  QLabel* Rule1Label;
  QLabel* Rule2Label;
  QLabel* Rule3aLabel;
  QLabel* Rule3bLabel;
  QPushButton* OKButton;
  QPushButton* CancelButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QCheckBox* addCheckBox(const char* name, int x, int y);
  QLabel* addLabel(const char* name, const QString& text, int x, int y);

  EvaluationOptions* Options = nullptr;
};

// Shows form modally over options; returns true when the user chose OK (the
// flags were then copied from the boxes), false when the dialog was cancelled
// or closed (the flags are unchanged).
bool runOptionsDialog(TOptionsForm& form, EvaluationOptions& options);

}  // namespace zorvex
