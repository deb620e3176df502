#include "app/ui/RecentDiagramsMenu.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QStringList>
#include <memory>

#include "document/RecentDiagrams.h"

namespace zorvex {
namespace {

const QString Key = QStringLiteral("RecentDiagrams");

std::unique_ptr<QSettings> settings() {
  return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("Zorvex"), QStringLiteral("Zorvex!"));
}

void keep(const RecentDiagrams& recent) {
  QStringList list;
  for (const std::string& p : recent.paths()) list << QString::fromStdString(p);
  settings()->setValue(Key, list);
}

}  // namespace

std::vector<std::string> recentDiagramPaths() {
  std::vector<std::string> paths;
  for (const QString& p : settings()->value(Key).toStringList()) paths.push_back(p.toStdString());
  return RecentDiagrams(paths).paths();
}

void rememberRecentDiagram(const std::filesystem::path& path) {
  RecentDiagrams recent(recentDiagramPaths());
  recent.add(path);
  keep(recent);
}

void forgetRecentDiagram(const std::filesystem::path& path) {
  RecentDiagrams recent(recentDiagramPaths());
  recent.remove(path);
  keep(recent);
}

QString recentDiagramsFile() { return settings()->fileName(); }

TRecentDiagramsMenu::TRecentDiagramsMenu(QMenu& menu, QAction& before, std::function<void(const QString&)> chosen)
    : QObject(&menu), menu_(menu), before_(before), chosen_(std::move(chosen)) {
  // Items only show tooltips set on purpose, as these paths are.
  menu_.setToolTipsVisible(true);
  connect(&menu_, &QMenu::aboutToShow, this, [this] { refresh(); });
}

// The items, and the separator below them, are there only while the list
// holds something.
void TRecentDiagramsMenu::refresh() {
  for (QAction* a : items_) delete a;
  items_.clear();
  const std::vector<std::string> paths = recentDiagramPaths();
  const std::filesystem::path home = QDir::homePath().toStdString();
  int n = 0;
  for (const std::string& path : paths) {
    QString name = QString::fromStdString(recentName(path));
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto* a = new QAction(QStringLiteral("&%1 %2").arg(++n).arg(name), &menu_);
    a->setObjectName(QStringLiteral("RecentDiagram%1MenuItem").arg(n));
    a->setToolTip(QString::fromStdString(shortenedPath(path, home)));
    const QString chosenPath = QString::fromStdString(path);
    connect(a, &QAction::triggered, this, [this, chosenPath] { chosen_(chosenPath); });
    menu_.insertAction(&before_, a);
    items_.push_back(a);
  }
  if (items_.empty()) return;
  QAction* separator = new QAction(&menu_);
  separator->setSeparator(true);
  separator->setObjectName(QStringLiteral("RecentSeparator"));
  menu_.insertAction(&before_, separator);
  items_.push_back(separator);
}

}  // namespace zorvex
