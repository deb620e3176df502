#include "app/ui/ExportPictureCommand.h"

#include <QProgressDialog>
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "elements/ui/PictureExport.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {
namespace {

// Clears every Selected mark for as long as it lives, then puts them back.
class SelectionHidden {
 public:
  explicit SelectionHidden(Diagram& d) : d_(d) {
    hide(d.sentencesForStatus(), sentences_);
    hide(d.arrowsForStatus(), arrows_);
    hide(d.defeatersForStatus(), defeaters_);
  }
  ~SelectionHidden() {
    for (size_t n : sentences_) d_.sentencesForStatus()[n].Selected = true;
    for (size_t n : arrows_) d_.arrowsForStatus()[n].Selected = true;
    for (size_t n : defeaters_) d_.defeatersForStatus()[n].Selected = true;
  }
  SelectionHidden(const SelectionHidden&) = delete;
  SelectionHidden& operator=(const SelectionHidden&) = delete;

 private:
  template <class Element>
  static void hide(std::vector<Element>& all, std::vector<size_t>& marked) {
    for (size_t n = 0; n < all.size(); ++n)
      if (all[n].Selected) {
        all[n].Selected = false;
        marked.push_back(n);
      }
  }
  Diagram& d_;
  std::vector<size_t> sentences_, arrows_, defeaters_;
};

}  // namespace

void TExportPictureCommand::ExportPictureMenuItemClick() {
  const std::optional<QString> chosen = form_.fileCommands().dialogs.picturePath();
  if (!chosen) return;
  try {
    // The picture shows the diagram as it is, without the selection colour.
    const SelectionHidden plain(form_.diagram());
    QProgressDialog progress(QStringLiteral("Drawing the picture..."), QStringLiteral("Cancel"), 0, 1, &form_);
    progress.setWindowTitle(QStringLiteral("Export Picture"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(progressDelayMs);
    progress.setValue(0);
    const ExportedPicture picture = saveDiagramPicture(form_.diagram(), *chosen, [&](int64_t done, int64_t total) {
      progress.setMaximum(static_cast<int>(std::clamp<int64_t>(total, 1, INT_MAX)));
      progress.setValue(static_cast<int>(std::clamp<int64_t>(done, 0, INT_MAX)));
      return !progress.wasCanceled();
    });
    progress.reset();
    tell(picture);
  } catch (const ZorvexError& e) {
    messageBoxes().error(e);
  }
}

// A picture drawn smaller than full size says so in the right-hand panel;
// the next export at full size takes the note away again.
void TExportPictureCommand::tell(const ExportedPicture& picture) {
  TArgumentFormStatusBar& status = *form_.ArgumentFormStatusBar;
  if (!note_.isEmpty() && status.panelText(1) == note_) status.setPanelText(1, QString());
  note_.clear();
  if (!picture.scaledDown() || picture.stopped) return;
  note_ = QString::fromStdString(scaledDownNote(picture.step, picture.fullSize));
  status.setPanelText(1, note_);
}

void TArgumentForm::ExportPictureMenuItemClick() { exportPicture_->ExportPictureMenuItemClick(); }

}  // namespace zorvex
