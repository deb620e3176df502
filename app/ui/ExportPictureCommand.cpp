#include "app/ui/ExportPictureCommand.h"

#include <QProgressDialog>
#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramFileCommands.h"
#include "elements/ui/PictureExport.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

// The picture is drawn from the diagram as it is: its selection stays, only
// the painter leaves the selection colour out.
void TExportPictureCommand::ExportPictureMenuItemClick() {
  const std::optional<QString> chosen = form_.fileCommands().dialogs.picturePath();
  if (!chosen) return;
  try {
    QProgressDialog progress(QStringLiteral("Drawing the picture..."), QStringLiteral("Cancel"), 0, 1, &form_);
    progress.setWindowTitle(QStringLiteral("Export Picture"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(progressDelayMs);
    progress.setValue(0);
    const auto step = [&](int64_t done, int64_t total) {
      progress.setMaximum(static_cast<int>(std::clamp<int64_t>(total, 1, INT_MAX)));
      progress.setValue(static_cast<int>(std::clamp<int64_t>(done, 0, INT_MAX)));
      return !progress.wasCanceled();
    };
    const int ratio = form_.devicePixelRatioF() >= 2 ? 2 : 1;
    const ExportedPicture picture = saveDiagramPicture(std::as_const(form_.diagram()), *chosen, step, ratio);
    progress.reset();
    tell(picture);
  } catch (const ZorvexError& e) {
    messageBoxes().error(e);
  }
}

// A picture drawn smaller than full size says so in the right-hand panel;
// the next export at full size takes the note away again.
void TExportPictureCommand::tell(const ExportedPicture& picture) {
  if (!note_.isEmpty() && status_.panelText(1) == note_) status_.setPanelText(1, QString());
  note_.clear();
  if (!picture.scaledDown() || picture.stopped) return;
  note_ = QString::fromStdString(scaledDownNote(picture.step, picture.fullSize));
  status_.setPanelText(1, note_);
}

void TArgumentForm::ExportPictureMenuItemClick() { exportPicture_->ExportPictureMenuItemClick(); }

}  // namespace zorvex
