#include "explain/ui/WhyWindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zorvex {
namespace {

constexpr int KindRole = Qt::UserRole;
constexpr int IndexRole = Qt::UserRole + 1;

QTreeWidgetItem* line(QTreeWidgetItem* parent, QTreeWidget* tree, const std::string& text, ElementRef ref) {
  QTreeWidgetItem* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
  item->setText(0, QString::fromStdString(text));
  item->setData(0, KindRole, static_cast<int>(ref.kind));
  item->setData(0, IndexRole, ref.index);
  return item;
}

}  // namespace

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
    if (!item || !lineSelected || item->data(0, IndexRole).toInt() < 0) return;
    lineSelected({static_cast<ElementKind>(item->data(0, KindRole).toInt()), item->data(0, IndexRole).toInt()});
  });
}

// As the text form of the tree: a node, its grounds, below a ground its own
// explanation and then its parts; a status met again refers to the first.
QTreeWidgetItem* TWhyWindow::node(const WhyTree& tree, const StatusRecord& record, int32_t n,
                                  QTreeWidgetItem* parent, std::vector<bool>& written) {
  const WhyNode& w = tree.nodes[static_cast<size_t>(n)];
  if (written[static_cast<size_t>(n)]) return line(parent, tree_, "(explained above: " + w.text + ")", w.element);
  written[static_cast<size_t>(n)] = true;
  QTreeWidgetItem* item =
      line(parent, tree_, w.deleted ? w.text : w.text + " [" + stepText(record, w.step) + "]", w.element);
  for (const WhyGround& g : w.grounds) ground(tree, record, g, item, written);
  if (w.beyondDepth) line(item, tree_, "(more below the depth limit)", {w.element.kind, -1});
  return item;
}

QTreeWidgetItem* TWhyWindow::ground(const WhyTree& tree, const StatusRecord& record, const WhyGround& g,
                                    QTreeWidgetItem* parent, std::vector<bool>& written) {
  QTreeWidgetItem* item = line(parent, tree_, g.text, g.element);
  if (g.node >= 0) node(tree, record, g.node, item, written);
  for (const WhyGround& p : g.parts) ground(tree, record, p, item, written);
  return item;
}

void TWhyWindow::showTree(const WhyTree& tree, const StatusRecord& record) {
  tree_->blockSignals(true);
  tree_->clear();
  std::vector<bool> written(tree.nodes.size(), false);
  QTreeWidgetItem* root = node(tree, record, 0, nullptr, written);
  root->setExpanded(true);
  tree_->blockSignals(false);
}

void TWhyWindow::showGone(const std::string& text) {
  tree_->blockSignals(true);
  tree_->clear();
  line(nullptr, tree_, text, {ElementKind::Sentence, -1});
  tree_->blockSignals(false);
}

void TWhyWindow::closeEvent(QCloseEvent* event) {
  if (closed) closed();
  event->accept();
}

}  // namespace zorvex
