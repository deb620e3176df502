#include "app/ui/ArgumentFormUnit.h"
#include "explain/ui/WhyCommands.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QToolButton>

#include "app/ui/ArgdownTextPane.h"
#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormHost.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/EditMenuCommands.h"
#include "app/ui/ExportPictureCommand.h"
#include "app/ui/UndoCommands.h"
#include "elements/ui/ShortFormGeometry.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/SurfaceViewport.h"
#include "app/ui/ViewCommands.h"
#include "editor/ArgumentEditor.h"
#include "editor/ui/EditorPointerFilter.h"
#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"
#include "eval/Rounds.h"
#include "eval/ui/LogFormUnit.h"
#include "eval/ui/OptionsFormUnit.h"
#include "views/ui/InterfaceFont.h"
#include "views/ui/MessageBoxes.h"
#include "views/ui/TableViews.h"
#include "views/ui/WindowHelpers.h"

namespace zorvex {
namespace {

const QColor FormBackground(0xD4, 0xD4, 0xD4);

}  // namespace

TArgumentForm::TArgumentForm(const std::string& directory, TableOpener opener, QWidget* parent)
    : TArgumentForm(directory, std::move(opener), std::nullopt, parent) {}

TArgumentForm::TArgumentForm(const std::string& directory, TableOpener opener, std::optional<DiagramLocation> start,
                             QWidget* parent)
    : QMainWindow(parent),
      controls_(std::make_unique<ArgumentFormControls>()),
      directory_(directory),
      opener_(std::move(opener)),
      start_(std::move(start)) {
  setObjectName("ArgumentForm");
  setWindowTitle(QStringLiteral("Zorvex!"));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, FormBackground);
  pal.setColor(QPalette::Button, FormBackground);
  setPalette(pal);
  setAutoFillBackground(true);
  setFont(interfaceFont());
  createControls();
  runPopupMenu = [](QMenu& menu, QPoint screenPoint) { menu.exec(screenPoint); };
  resize(InitialWidth, InitialHeight);
  // Key presses reach the window before the focused control.
  qApp->installEventFilter(this);
  FormCreate();
}

TArgumentForm::~TArgumentForm() {
  qApp->removeEventFilter(this);
  // The pointer filter refers to the editor; it goes first.
  delete pointerFilter_;
  pointerFilter_ = nullptr;
  viewCommands_.reset();
  editor_.reset();
  undo_.reset();
  tableViews_.reset();
}

void TArgumentForm::FormCreate() {
  options_ = EvaluationOptions{};
  host_ = std::make_unique<TArgumentFormHost>(*this, *controls_, *canvas_, *viewport_);
  // Without a diagram named on the command line: the working directory's tables.
  const DiagramLocation where = start_.value_or(DiagramLocation{directory_});
  DiskRecord onDisk = recordOnDisk(where);  // before reading: a write meanwhile is noticed at saving
  OpenResult loaded = openDiagram(diagram_, where, opener_, sentenceFontGeometry());
  tableLeftOpen_ = std::move(loaded.leftOpen);
  fileCommands_ =
      std::make_unique<TDiagramFileCommands>(*this, *controls_->ArgumentFormStatusBar, where, std::move(onDisk));
  fileCommands_->settleLoaded(!loaded.error);
  if (loaded.fromAif && !loaded.error) {
    fileCommands_->mapOpened(loaded.report);
    logMapReport(loaded.report);
  }
  exportPicture_ = std::make_unique<TExportPictureCommand>(*this, *controls_->ArgumentFormStatusBar);
  // The editor starts in NoTool, whether loading finished or not.
  editor_ = std::make_unique<ArgumentEditor>(diagram_, *host_);
  editor_->DiagramReloaded();
  undo_ = std::make_unique<TUndoCommands>(*editor_, *controls_->UndoMenuItem, *controls_->RedoMenuItem,
                                          [this](const std::string& logLine) {
                                            repaintSurface();
                                            logCommand({logLine});
                                          });
  editor_->setUndoHistory(&undo_->history());
  // The element is framed, and brought into view when out of sight.
  why_ = std::make_unique<TWhyCommands>(diagram_, undo_->history(), *this,
                                        [this](const std::optional<Rect>& box, bool bringIntoView) {
                                          if (box && bringIntoView) viewport_->bringIntoView(*box);
                                          showHighlight(box);
                                        });
  undo_->changed = [this] {
    why_->historyChanged();
    fileCommands_->diagramChanged();
    if (textPane_) textPane_->diagramChanged();
  };
  editMenu_ = new TEditMenuCommands(*controls_->EditMenuItem, *editor_, *canvas_->widget(), *controls_->SentenceEdit);
  pointerFilter_ = new EditorPointerFilter(*editor_, *canvas_->widget(), QPoint(0, 0));
  pointerFilter_->afterPress = [this](QPoint screenPoint) { host_->openPreparedSentencePopup(screenPoint); };
  setUpViewport();
  offerRecoveredDiagram();
  fileCommands_->opened = [this] { offerRecoveredDiagram(); };
  if (loaded.error) showError(loaded.error->message());
}

void TArgumentForm::offerRecoveredDiagram() {
  const bool available = fileCommands_->newerRecoveryCopy().has_value();
  if (available && !controls_->OpenRecoveredMenuItem) createOpenRecoveredMenuItem();
  if (controls_->OpenRecoveredMenuItem) controls_->OpenRecoveredMenuItem->setVisible(available);
  if (!available) return;
  // Before what opening said (an AIF map's report), which stays beside it.
  TArgumentFormStatusBar& status = *controls_->ArgumentFormStatusBar;
  const QString notice = QStringLiteral("A recovered diagram is available: File > Open Recovered");
  status.setPanelText(1, status.panelText(1).isEmpty() ? notice : notice + QStringLiteral(". ") + status.panelText(1));
}

void TArgumentForm::OpenRecoveredMenuItemClick() {
  // The notice has been acted on; the status bar says what was opened.
  if (fileCommands_->OpenRecoveredMenuItemClick()) controls_->OpenRecoveredMenuItem->setVisible(false);
}

void TArgumentForm::attachWindows(const ArgumentFormWindows& windows) {
  windows_ = windows;
  if (windows_.LogForm)
    windows_.LogForm->OnClose = [this] {
      // The box always tells whether the log window is shown.
      controls_->ViewLogMemoCheckBox->setChecked(false);
      ViewLogMemoCheckBoxClick();
    };
  if (windows_.OptionsForm) windows_.OptionsForm->setOptions(&options_);
}

std::optional<int32_t> TArgumentForm::sentencePopupTarget() const { return host_->sentencePopupTarget(); }

void TArgumentForm::showError(const std::string& message) { messageBoxes().error(message); }

// The part of the surface the scroll bars leave free.
QSize TArgumentForm::surfaceSize() const { return controls_->ArgumentPaintBox->size() - viewport_->barRoom(); }

void TArgumentForm::layoutControls() {
  const int w = controls_->ClientArea->width();
  const int h = controls_->ClientArea->height();
  const int statusTop = h - TArgumentFormStatusBar::BarHeight;
  const int evaluationTop = statusTop - EvaluationPanelHeight;
  controls_->SeparationBevel->setGeometry(0, 0, w, BevelHeight);
  controls_->ArgumentFormStatusBar->setGeometry(0, statusTop, w, TArgumentFormStatusBar::BarHeight);
  controls_->EvaluationButtonPanel->setGeometry(0, evaluationTop, w, EvaluationPanelHeight);
  const int middleHeight = std::max(0, evaluationTop - BevelHeight);
  controls_->EditButtonPanel->setGeometry(w - EditPanelWidth, BevelHeight, EditPanelWidth, middleHeight);
  controls_->ArgumentPaintBox->setGeometry(0, BevelHeight, std::max(0, w - EditPanelWidth), middleHeight);
  // The canvas draws the bevel and the surface: its pixel (x, y) is client point (x, y).
  canvas_->widget()->setGeometry(0, 0, controls_->ArgumentPaintBox->width(), BevelHeight + middleHeight);
  viewport_->setSurfaceRect(canvas_->widget()->geometry(), BevelHeight);
}

bool TArgumentForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == controls_->ClientArea && event->type() == QEvent::Resize) {
    layoutControls();
    return false;
  }
  if (event->type() == QEvent::KeyPress && previewKey(watched, static_cast<QKeyEvent*>(event))) return true;
  return QMainWindow::eventFilter(watched, event);
}

// A key press climbs from the focused control up through its parents, and
// the window sees it first at its first stop. A press the window acts on ends
// there: a box opened for it moves the focus, so a later stop would look like
// a first one. A held key repeats its press; only the first one acts, except
// for the arrow keys, which keep moving the selection while held.
bool TArgumentForm::previewKey(QObject* watched, QKeyEvent* key) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const bool firstStop = widget == QApplication::focusWidget() || (!QApplication::focusWidget() && widget == this);
  if (!firstStop) return false;
  if (textPane_ && textPane_->holdsFocus()) return false;
  if (key->isAutoRepeat()) return editMenu_ && editMenu_->KeyDown(*key);
  return FormKeyDown(key->key()) || (editMenu_ && editMenu_->KeyDown(*key));
}

void TArgumentForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QMainWindow::changeEvent(event);
}

// Nothing changed while the window was in the background: paint again from
// the picture as it is.
void TArgumentForm::FormActivate() { canvas_->redrawAll(); }

void TArgumentForm::closeEvent(QCloseEvent* event) {
  // Closing asks nothing and writes no table. The log is saved once more, so
  // user-set lines and text typed into the log since the last round survive.
  if (!logSavedOnClose_) {
    logSavedOnClose_ = true;
    fileCommands_->writeRecoveryCopyIfChanged();
    saveLog();
  }
  event->accept();
  emit closed();
}

void TArgumentForm::ExitMenuItemClick() { close(); }

void TArgumentForm::OptionsMenuItemClick() {
  if (windows_.OptionsForm) runOptionsDialog(*windows_.OptionsForm, options_);
}

void TArgumentForm::ContentsMenuItemClick() {
  if (windows_.HelpForm) showAndBringToFront(*windows_.HelpForm);
}

void TArgumentForm::KeyToSymbolsAndColorsMenuItemClick() {
  if (windows_.KeyToSymbolsAndColorsForm) windows_.KeyToSymbolsAndColorsForm->showKey();
}

void TArgumentForm::AboutMenuItemClick() {
  if (windows_.AboutForm) showAndBringToFront(*windows_.AboutForm);
}

void TArgumentForm::ViewLogMemoCheckBoxClick() {
  QWidget* logForm = windows_.LogForm;
  if (!logForm) return;
  if (controls_->ViewLogMemoCheckBox->isChecked()) {
    showAndBringToFront(*logForm);
  } else if (logForm->isVisible()) {
    logForm->hide();
  }
}

}  // namespace zorvex
