#include "app/ui/ViewCommands.h"

#include <QInputDialog>
#include <QLayout>
#include <QTimer>
#include <algorithm>

#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceViewport.h"
#include "elements/ui/SentenceFont.h"
#include "elements/ui/ViewPainter.h"
#include "viewport/FindSentence.h"

namespace zorvex {
namespace {

const QString NotFound = QStringLiteral("Not found");
constexpr int FindDialogWidth = 300;

std::optional<QString> askWithDialog(QWidget* parent, const QString& last) {
  QInputDialog dialog(parent);
  dialog.setObjectName("FindSentenceDialog");
  dialog.setWindowTitle(QStringLiteral("Find Sentence"));
  dialog.setLabelText(QStringLiteral("Find the sentence containing:"));
  dialog.setTextValue(last);
  // A fixed size, wide enough for a sentence's text and the caption: nothing
  // to gain from resizing, and the window manager then draws no resize
  // handle under the buttons.
  const QSize hint = dialog.sizeHint();  // also builds the dialog's layout
  if (dialog.layout()) dialog.layout()->setSizeConstraint(QLayout::SetNoConstraint);
  dialog.setFixedSize(std::max(hint.width(), FindDialogWidth), hint.height());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

// A found sentence is shown with its text: zoomed out below readable text,
// Find zooms in to the nearest step that draws it (100 % at the latest).
int readableStep(int step) {
  while (step < ViewTransform::ActualSizeStep && !textShows(sentenceFont(), step)) ++step;
  return step;
}

}  // namespace

TViewCommands::TViewCommands(TArgumentForm& form, SurfaceViewport& viewport, TArgumentFormStatusBar& status)
    : form_(form), viewport_(viewport), status_(status), highlightTimer_(new QTimer(&form)) {
  askFindText = [&form](const QString& last) { return askWithDialog(&form, last); };
  highlightTimer_->setSingleShot(true);
  QObject::connect(highlightTimer_, &QTimer::timeout, &form, [this] { endHighlight(); });
}

TViewCommands::~TViewCommands() = default;

void TViewCommands::ZoomInMenuItemClick() { viewport_.zoomIn(); }
void TViewCommands::ZoomOutMenuItemClick() { viewport_.zoomOut(); }
void TViewCommands::ActualSizeMenuItemClick() { viewport_.actualSize(); }
void TViewCommands::FitDiagramMenuItemClick() { viewport_.fitDiagram(); }

void TViewCommands::FindSentenceMenuItemClick() {
  const std::optional<QString> text = askFindText(QString::fromStdString(lastText_));
  if (!text) return;
  lastText_ = text->toStdString();
  lastFound_.reset();
  findFrom(-1);
}

// F3: the next match after the last one found, round to the first again.
void TViewCommands::FindNextMenuItemClick() {
  if (lastText_.empty()) return FindSentenceMenuItemClick();
  findFrom(lastFound_.value_or(-1));
}

void TViewCommands::findFrom(int32_t after) {
  const std::optional<int32_t> found = findSentence(form_.diagram(), lastText_, after);
  if (!found) {
    status_.setPanelText(1, NotFound);
    return;
  }
  lastFound_ = found;
  if (status_.panelText(1) == NotFound) status_.setPanelText(1, QString());
  const Rect box = sentenceExtent(form_.diagram().sentence(*found));
  viewport_.centreOn({static_cast<int32_t>((int64_t{box.Left} + box.Right) / 2),
                      static_cast<int32_t>((int64_t{box.Top} + box.Bottom) / 2)},
                     readableStep(viewport_.view().step()));
  form_.showHighlight(box);
  highlightTimer_->start(highlightMilliseconds);
}

void TViewCommands::endHighlight() {
  highlightTimer_->stop();
  form_.showHighlight(std::nullopt);
}

}  // namespace zorvex
