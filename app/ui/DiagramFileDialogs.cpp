// Qt's own file dialogs for the diagram commands. Qt's dialog rather than the
// platform's: it is the same on every desktop, can list the recovery folder
// beside the usual places, and tests can answer it.
#include <QDir>
#include <QFileDialog>
#include <QUrl>
#include <filesystem>
#include <memory>

#include "app/ui/DiagramFileCommands.h"

namespace zorvex {
namespace {

// The folder the last dialog ended in, shared by the three dialogs.
QString& lastFolder() {
  static QString folder = QDir::currentPath();
  return folder;
}

std::optional<QString> runDialog(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setDirectory(lastFolder());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().front();
  lastFolder() = QFileInfo(chosen).absolutePath();
  return chosen;
}

// A name without an ending gets the one of the chosen filter ("*.png").
QString withFilterEnding(const QString& chosen, const QString& filter) {
  if (!QFileInfo(chosen).suffix().isEmpty()) return chosen;
  const qsizetype star = filter.indexOf(QStringLiteral("*."));
  if (star < 0) return chosen;
  const qsizetype end = filter.indexOf(QLatin1Char(')'), star);
  return chosen + filter.mid(star + 1, end - star - 1);
}

// A name that does not end as the filter says gets its ending ("*.argdown").
QString withEnding(const QString& chosen, const QString& filter) {
  const QString ending = withFilterEnding(QStringLiteral("x"), filter).mid(1);
  return chosen.endsWith(ending, Qt::CaseInsensitive) ? chosen : chosen + ending;
}

}  // namespace

DiagramFileDialogs realDiagramFileDialogs(QWidget* parent, const std::filesystem::path& recoveryFolder) {
  DiagramFileDialogs dialogs;
  const QString recovery = QString::fromStdString(recoveryFolder.string());
  dialogs.openPath = [parent, recovery]() -> std::optional<QString> {
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Diagrams (*.json *.argdown SentencesDb.db)"),
                           QStringLiteral("Argument maps (*.json)"), QStringLiteral("Argdown text (*.argdown)"),
                           QStringLiteral("All files (*)")});
    // The recovered diagram sits in the application's data folder.
    QList<QUrl> places = dialog.sidebarUrls();
    if (!recovery.isEmpty() && QDir(recovery).exists()) places.append(QUrl::fromLocalFile(recovery));
    dialog.setSidebarUrls(places);
    return runDialog(dialog);
  };
  // Which file type the last Save As dialog ended with.
  auto aifChosen = std::make_shared<bool>(false);
  dialogs.saveAsAif = [aifChosen] { return *aifChosen; };
  dialogs.saveAsPath = [parent, aifChosen]() -> std::optional<QString> {
    QFileDialog dialog(parent, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Our own diagram file first, whatever the diagram was read from: the
    // one type that keeps everything.
    dialog.setNameFilters({QStringLiteral("Diagram file (*.json)"), QStringLiteral("Folder of tables (*)"),
                           QStringLiteral("AIF argument map (*.json)"), QStringLiteral("Argdown text (*.argdown)"),
                           QStringLiteral("GraphML (*.graphml)")});
    std::optional<QString> chosen = runDialog(dialog);
    const QString type = dialog.selectedNameFilter();
    // Argdown and GraphML are exports like AIF, told from it by the ending
    // they are given here.
    const bool text = type.startsWith(QStringLiteral("Argdown")) || type.startsWith(QStringLiteral("GraphML"));
    *aifChosen = chosen && (type.startsWith(QStringLiteral("AIF")) || text);
    if (chosen && text) chosen = withEnding(*chosen, type);
    if (chosen && type.contains(QStringLiteral("*.json"))) chosen = withFilterEnding(*chosen, type);
    return chosen;
  };
  dialogs.picturePath = [parent]() -> std::optional<QString> {
    QFileDialog dialog(parent, QStringLiteral("Export Picture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("PNG picture (*.png)"), QStringLiteral("SVG drawing (*.svg)"),
                           QStringLiteral("PDF document (*.pdf)")});
    std::optional<QString> chosen = runDialog(dialog);
    if (chosen) chosen = withFilterEnding(*chosen, dialog.selectedNameFilter());
    return chosen;
  };
  return dialogs;
}

}  // namespace zorvex
