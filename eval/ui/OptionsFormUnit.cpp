#include "eval/ui/OptionsFormUnit.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "views/ui/InterfaceFont.h"

namespace zorvex {

TOptionsForm::TOptionsForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("OptionsForm"));
  setWindowTitle(QStringLiteral("Options"));
  setFixedSize(482, 185);
  setModal(true);
  setFont(interfaceFont());

  OptionsPanel = new QFrame(this);
  OptionsPanel->setObjectName(QStringLiteral("OptionsPanel"));
  OptionsPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  OptionsPanel->setGeometry(8, 8, 465, 137);

  EvaluateLabel = addLabel("EvaluateLabel", QStringLiteral("Evaluate"), 8, 8);
  JumpLabel = addLabel("JumpLabel", QStringLiteral("Jump"), 66, 8);
  QFont bold = EvaluateLabel->font();
  bold.setBold(true);
  for (QLabel* heading : {EvaluateLabel, JumpLabel}) {
    heading->setFont(bold);
    heading->adjustSize();
  }

  EvaluationOption1CheckBox = addCheckBox("EvaluationOption1CheckBox", 24, 32);
  EvaluationOption2CheckBox = addCheckBox("EvaluationOption2CheckBox", 24, 56);
  EvaluationOption3aCheckBox = addCheckBox("EvaluationOption3aCheckBox", 24, 80);
  EvaluationOption3bCheckBox = addCheckBox("EvaluationOption3bCheckBox", 24, 104);
  JumpingOption1CheckBox = addCheckBox("JumpingOption1CheckBox", 72, 32);
  JumpingOption2CheckBox = addCheckBox("JumpingOption2CheckBox", 72, 56);
  JumpingOption3aCheckBox = addCheckBox("JumpingOption3aCheckBox", 72, 80);
  JumpingOption3bCheckBox = addCheckBox("JumpingOption3bCheckBox", 72, 104);

  Rule1Label = addLabel("Rule1Label", QStringLiteral("If a sentence has justified support, it is justified"), 112, 34);
  Rule2Label = addLabel("Rule2Label",
                        QStringLiteral("If a sentence has no justified support and is attacked, it is unjustified"),
                        112, 58);
  Rule3aLabel = addLabel("Rule3aLabel",
                         QStringLiteral("If a sentence has no justified support, is not attacked, it is unevaluated"),
                         112, 82);
  Rule3bLabel = addLabel("Rule3bLabel",
                         QStringLiteral("If a sentence has no justified support, is not attacked, it is justified"),
                         112, 106);

  OKButton = new QPushButton(QStringLiteral("&OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setGeometry(8, 152, 75, 25);
  OKButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  CancelButton->setGeometry(400, 152, 75, 25);
  connect(OKButton, &QPushButton::clicked, this, &TOptionsForm::OKButtonClick);
  connect(CancelButton, &QPushButton::clicked, this, &TOptionsForm::CancelButtonClick);
}

QCheckBox* TOptionsForm::addCheckBox(const char* name, int x, int y) {
  auto* box = new QCheckBox(OptionsPanel);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(x, y, 17, 17);
  // clicked comes only from the user, so unchecking the partner box from
  // the handler does not run the handler again.
  connect(box, &QCheckBox::clicked, this, [this, box] { OptionsFormCheckBoxClick(box); });
  return box;
}

QLabel* TOptionsForm::addLabel(const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, OptionsPanel);
  label->setObjectName(QString::fromLatin1(name));
  label->move(x, y);
  label->adjustSize();
  return label;
}

void TOptionsForm::FormShow() {
  if (!Options) return;
  EvaluationOption1CheckBox->setChecked(Options->EvaluationOption1);
  EvaluationOption2CheckBox->setChecked(Options->EvaluationOption2);
  EvaluationOption3aCheckBox->setChecked(Options->EvaluationOption3a);
  EvaluationOption3bCheckBox->setChecked(Options->EvaluationOption3b);
  JumpingOption1CheckBox->setChecked(Options->JumpingOption1);
  JumpingOption2CheckBox->setChecked(Options->JumpingOption2);
  JumpingOption3aCheckBox->setChecked(Options->JumpingOption3a);
  JumpingOption3bCheckBox->setChecked(Options->JumpingOption3b);
}

void TOptionsForm::OptionsFormCheckBoxClick(QCheckBox* sender) {
  const std::pair<QCheckBox*, QCheckBox*> exclusive[] = {
      {EvaluationOption3aCheckBox, EvaluationOption3bCheckBox},
      {EvaluationOption3bCheckBox, EvaluationOption3aCheckBox},
      {JumpingOption3aCheckBox, JumpingOption3bCheckBox},
      {JumpingOption3bCheckBox, JumpingOption3aCheckBox},
  };
  for (const auto& [box, partner] : exclusive)
    if (sender == box && box->isChecked()) partner->setChecked(false);
  OKButton->setFocus();
}

void TOptionsForm::OKButtonClick() {
  if (Options) {
    Options->EvaluationOption1 = EvaluationOption1CheckBox->isChecked();
    Options->EvaluationOption2 = EvaluationOption2CheckBox->isChecked();
    Options->EvaluationOption3a = EvaluationOption3aCheckBox->isChecked();
    Options->EvaluationOption3b = EvaluationOption3bCheckBox->isChecked();
    Options->JumpingOption1 = JumpingOption1CheckBox->isChecked();
    Options->JumpingOption2 = JumpingOption2CheckBox->isChecked();
    Options->JumpingOption3a = JumpingOption3aCheckBox->isChecked();
    Options->JumpingOption3b = JumpingOption3bCheckBox->isChecked();
  }
  accept();
}

void TOptionsForm::CancelButtonClick() { reject(); }

void TOptionsForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
  // Centred on the screen rather than over the main window.
  if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  OKButton->setFocus();
}

bool runOptionsDialog(TOptionsForm& form, EvaluationOptions& options) {
  form.setOptions(&options);
  return form.exec() == QDialog::Accepted;
}

}  // namespace zorvex
