#include "explain/ui/WhyWindow.h"

#include <QCloseEvent>
#include <QHash>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "explain/WhyTexts.h"

namespace zorvex {
namespace {

constexpr int KindRole = Qt::UserRole;
constexpr int IndexRole = Qt::UserRole + 1;
constexpr int KeyRole = Qt::UserRole + 2;

std::optional<ElementRef> elementOf(const QTreeWidgetItem* item) {
  if (!item || item->data(0, IndexRole).toInt() < 0) return std::nullopt;
  return ElementRef{static_cast<ElementKind>(item->data(0, KindRole).toInt()), item->data(0, IndexRole).toInt()};
}

}  // namespace

// As the text form of the tree: a node, its grounds, below a ground its own
// explanation and then its parts; a status met again refers to the first.
// A line's key is its parent's, then whether it explains or is read (an
// element's ground line holds the line explaining it), and the element.
class TWhyWindow::Builder {
 public:
  Builder(QTreeWidget* widget, const WhyTree& tree, const StatusRecord& record)
      : widget_(widget), tree_(tree), record_(record), written_(tree.nodes.size(), false) {}

  QTreeWidgetItem* node(int32_t n, QTreeWidgetItem* parent) {
    const WhyNode& w = tree_.nodes[static_cast<size_t>(n)];
    if (written_[static_cast<size_t>(n)]) return line(parent, "(explained above: " + w.text + ")", w.element, 'n');
    written_[static_cast<size_t>(n)] = true;
    QTreeWidgetItem* item =
        line(parent, w.deleted ? w.text : w.text + " [" + numberedStepText(record_, w.step) + "]", w.element, 'n');
    for (const WhyGround& g : w.grounds) ground(g, item);
    if (w.beyondDepth) line(item, "(more below the depth limit)", {w.element.kind, -1}, 'd');
    return item;
  }

 private:
  void ground(const WhyGround& g, QTreeWidgetItem* parent) {
    QTreeWidgetItem* item = line(parent, groundThenNowText(g), g.element, 'g');
    if (g.node >= 0) node(g.node, item);
    for (const WhyGround& p : g.parts) ground(p, item);
  }

  QTreeWidgetItem* line(QTreeWidgetItem* parent, const std::string& text, ElementRef ref, char role) {
    QTreeWidgetItem* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(widget_);
    item->setText(0, QString::fromStdString(text));
    item->setData(0, KindRole, static_cast<int>(ref.kind));
    item->setData(0, IndexRole, ref.index);
    QString key = (parent ? parent->data(0, KeyRole).toString() : QString()) + '/' + QLatin1Char(role) +
                  QString::number(static_cast<int>(ref.kind)) + ':' + QString::number(ref.index);
    // The same element twice below one line: told apart by their order.
    const int seen = seen_[key]++;
    if (seen > 0) key += '#' + QString::number(seen);
    item->setData(0, KeyRole, key);
    return item;
  }

  QTreeWidget* widget_;
  const WhyTree& tree_;
  const StatusRecord& record_;
  std::vector<bool> written_;
  QHash<QString, int> seen_;
};

TWhyWindow::TWhyWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("WhyForm");
  setWindowTitle("Why");
  resize(640, 360);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName("WhyTree");
  tree_->setColumnCount(1);
  tree_->header()->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item && lineSelected) lineSelected(elementOf(item));
  });
}

TWhyWindow::Shown TWhyWindow::shown() const {
  Shown s;
  if (QTreeWidgetItem* top = tree_->topLevelItem(0)) s.root = top->data(0, KeyRole).toString();
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if ((*it)->isExpanded()) s.expanded.insert((*it)->data(0, KeyRole).toString());
  if (QTreeWidgetItem* current = tree_->currentItem()) s.current = current->data(0, KeyRole).toString();
  s.scrolled = tree_->verticalScrollBar()->value();
  return s;
}

// Only a tree about the same element takes over what was expanded and
// selected; another starts with its top line open.
void TWhyWindow::restore(const Shown& before) {
  QTreeWidgetItem* top = tree_->topLevelItem(0);
  const bool same = top && !before.root.isEmpty() && top->data(0, KeyRole).toString() == before.root;
  QTreeWidgetItem* current = nullptr;
  if (same) {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
      const QString key = (*it)->data(0, KeyRole).toString();
      if (before.expanded.contains(key)) (*it)->setExpanded(true);
      if (before.current == key) current = *it;
    }
  } else if (top) {
    top->setExpanded(true);
  }
  if (current) tree_->setCurrentItem(current);
  if (same) tree_->verticalScrollBar()->setValue(before.scrolled);
  if (before.current && selectionKept) selectionKept(elementOf(current));
}

void TWhyWindow::showTree(const WhyTree& tree, const StatusRecord& record) {
  const Shown before = shown();
  tree_->blockSignals(true);
  tree_->clear();
  Builder(tree_, tree, record).node(0, nullptr);
  restore(before);
  tree_->blockSignals(false);
}

void TWhyWindow::showMessage(const std::string& text) {
  const Shown before = shown();
  tree_->blockSignals(true);
  tree_->clear();
  QTreeWidgetItem* item = new QTreeWidgetItem(tree_);
  item->setText(0, QString::fromStdString(text));
  item->setData(0, IndexRole, -1);
  tree_->blockSignals(false);
  if (before.current && selectionKept) selectionKept(std::nullopt);
}

void TWhyWindow::closeEvent(QCloseEvent* event) {
  if (closed) closed();
  event->accept();
}

}  // namespace zorvex
